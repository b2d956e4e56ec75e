#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <mutex>
#include <utility>

#include "services/HelpOpener.h"
#include "services/MessageBox.h"
#include "services/PageServices.h"

namespace tb::services {
namespace {

constexpr int kHelpFailedMessage = 1006;

struct OpenerSlot {
    std::mutex mutex;
    HelpOpener opener;
};

OpenerSlot& TheOpener() {
    static OpenerSlot slot;
    return slot;
}

bool OpenWithXdgOpen(const std::string& path) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (program.isEmpty()) return false;
    return QProcess::startDetached(program, QStringList{QString::fromStdString(path)});
}

}  // namespace

void SetHelpOpener(HelpOpener opener) {
    std::lock_guard lock(TheOpener().mutex);
    TheOpener().opener = std::move(opener);
}

std::string HelpFilePath() { return ProgramFolder() + "/" + kHelpFileName; }

void ShowHelp() {
    const std::string path = HelpFilePath();
    std::error_code error;
    bool opened = false;
    if (std::filesystem::is_regular_file(path, error)) {
        HelpOpener opener;
        {
            std::lock_guard lock(TheOpener().mutex);
            opener = TheOpener().opener;
        }
        opened = opener ? opener(path) : OpenWithXdgOpen(path);
    }
    if (!opened) ShowMessageId(kHelpFailedMessage, MsgButtons::Ok, MsgIcon::Warning);
}

}  // namespace tb::services
