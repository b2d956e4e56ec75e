#include "ui/InterfaceFont.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace tb::ui {
#ifdef Q_OS_WIN
namespace {

// Interface families of a Japanese Windows first, then those a Wine prefix
// or a Linux desktop may offer.
constexpr const char* kPreferredFamilies[] = {"Yu Gothic UI", "Meiryo UI", "MS UI Gothic",
                                              "TakaoPGothic", "Noto Sans CJK JP"};

}  // namespace
#endif

void UseJapaneseCapableFont() {
#ifdef Q_OS_WIN
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    QFont font = QApplication::font();
    if (japanese.isEmpty() || japanese.contains(font.family())) return;
    QString chosen = japanese.first();
    for (const char* family : kPreferredFamilies) {
        if (japanese.contains(QString::fromLatin1(family))) {
            chosen = QString::fromLatin1(family);
            break;
        }
    }
    font.setFamily(chosen);
    QApplication::setFont(font);
#endif
}

}  // namespace tb::ui
