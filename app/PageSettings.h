// The settings page: the temperature unit of every page, written at once.
#pragma once

#include <array>

#include "pages/PropertyPage.h"

namespace tb::app {

class CPageSettings final : public pages::CPropertyPage {
  public:
    static constexpr int kCelsiusRadio = 1000;
    static constexpr int kFahrenheitRadio = 1001;

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
