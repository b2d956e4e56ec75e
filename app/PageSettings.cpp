#include "app/PageSettings.h"

#include "services/Settings.h"
#include "pages/DataExchange.h"
#include "resources/dialogs/DialogIds.h"

namespace tb::app {

const std::array<pages::CommandEntry<CPageSettings>, 2> CPageSettings::kCommands = {{
    {kCelsiusRadio, &CPageSettings::OnCelsius},
    {kFahrenheitRadio, &CPageSettings::OnFahrenheit},
}};

CPageSettings::CPageSettings() : CPropertyPage(resources::kDialogSettings) {}

void CPageSettings::OnInitDialog() {
    unit_ = services::ReadTempUnit();
    pages::ExchangeRadio(View(), false, kCelsiusRadio, unit_);
}

bool CPageSettings::OnCommand(int id) {
    return pages::DispatchCommand<CPageSettings>(*this, kCommands, id);
}

void CPageSettings::OnCelsius() {
    unit_ = services::kCelsius;
    services::WriteTempUnit(unit_);
}

void CPageSettings::OnFahrenheit() {
    unit_ = services::kFahrenheit;
    services::WriteTempUnit(unit_);
}

}  // namespace tb::app
