// The English texts of the dialogs: captions of dialogs and controls, the
// names a screen reader speaks, the message box's buttons. Keyed by the
// built-in text, so one entry serves every dialog that shows it. Texts in
// plain ASCII (model names, "OK") are the same in both languages and need
// no entry; the tests require one for every other text of every dialog.
#include "resources/english/EnglishTables.h"

namespace tb::resources::english {
namespace {

constexpr CaptionEntry kCaptions[] = {
    // Dialog and tab captions.
    {"バージョン情報", "About Trimbench"},
    {"  設定  ", "  Settings  "},
    // The one-channel temperature pages.
    {"Ch.1 (温度)", "Ch.1 (temperature)"},
    {"このチャンネルを調整する", "Adjust this channel"},
    {"１点調整", "One point"},
    {"２点調整", "Two points"},
    {"調整前", "Before"},
    {"調整後", "After"},
    {"調整前 1", "Before 1"},
    {"調整後 1", "After 1"},
    {"調整前 2", "Before 2"},
    {"調整後 2", "After 2"},
    // The two-channel pages name each box by channel.
    {"Ch.2 (湿度)", "Ch.2 (humidity)"},
    {"Ch.1 調整前 1", "Ch.1 before 1"},
    {"Ch.1 調整後 1", "Ch.1 after 1"},
    {"Ch.1 調整前 2", "Ch.1 before 2"},
    {"Ch.1 調整後 2", "Ch.1 after 2"},
    {"Ch.2 調整前 1", "Ch.2 before 1"},
    {"Ch.2 調整後 1", "Ch.2 after 1"},
    {"Ch.2 調整前 2", "Ch.2 before 2"},
    {"Ch.2 調整後 2", "Ch.2 after 2"},
    {"Ch.3 調整前 1", "Ch.3 before 1"},
    {"Ch.3 調整後 1", "Ch.3 after 1"},
    {"Ch.3 調整前 2", "Ch.3 before 2"},
    {"Ch.3 調整後 2", "Ch.3 after 2"},
    {"Ch.4 調整前 1", "Ch.4 before 1"},
    {"Ch.4 調整後 1", "Ch.4 after 1"},
    {"Ch.4 調整前 2", "Ch.4 before 2"},
    {"Ch.4 調整後 2", "Ch.4 after 2"},
    // The direct-USB pages: channel boxes and the history lists.
    {"Ch.1（照度）", "Ch.1 (illuminance)"},
    {"Ch.2（紫外線強度）", "Ch.2 (UV intensity)"},
    {"Ch.1（CO2）", "Ch.1 (CO2)"},
    {"Ch.2（なし）", "Ch.2 (none)"},
    {"Ch.2（温度）", "Ch.2 (temperature)"},
    {"Ch.3（温度）", "Ch.3 (temperature)"},
    {"Ch.3（湿度）", "Ch.3 (humidity)"},
    {"Ch.4（湿度）", "Ch.4 (humidity)"},
    {"照度・UVセンサ アジャストメント履歴", "Illuminance/UV sensor adjustment history"},
    {"温度・湿度センサ アジャストメント履歴", "Temperature/humidity sensor adjustment history"},
    {"CO2センサ アジャストメント履歴", "CO2 sensor adjustment history"},
    // The multi-input page's input kinds.
    {"熱電対", "Thermocouple"},
    {"電圧", "Voltage"},
    {"騒音振動(L5, L10)", "Noise/vibration (L5, L10)"},
    // The page buttons.
    {"初期化", "Reset"},
    {"設定送信", "Send"},
    {"設定値受信", "Receive"},
    {"ヘルプ", "Help"},
    // Units.
    {"℃", "°C"},
    {"°F", "°F"},
    {"ﾟF", "°F"},
    // The settings page.
    {"温度単位", "Temperature unit"},
    // The message box's buttons.
    {"はい(&Y)", "&Yes"},
    {"いいえ(&N)", "&No"},
};

}  // namespace

std::span<const CaptionEntry> Captions() { return kCaptions; }

}  // namespace tb::resources::english
