// The settings page: the temperature unit of every page, written at once.
#pragma once

#include <array>

#include "pages/PropertyPage.h"
#include "resources/dialogs/SettingsIds.h"

namespace tb::app {

class CPageSettings final : public pages::CPropertyPage {
  public:
    static constexpr int kCelsiusRadio = resources::settings::kCelsiusRadio;
    static constexpr int kFahrenheitRadio = resources::settings::kFahrenheitRadio;

    CPageSettings();

    void OnInitDialog() override;
    bool OnCommand(int id) override;

  private:
    void OnCelsius();
    void OnFahrenheit();

    static const std::array<pages::CommandEntry<CPageSettings>, 2> kCommands;
    int unit_ = 0;
};

}  // namespace tb::app
