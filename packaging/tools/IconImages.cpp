// Writes the program icon as PNG files in the hicolor sizes:
//   tb_icon_images OUTPUT_FOLDER NAME
// gives OUTPUT_FOLDER/<n>x<n>/apps/NAME.png, drawn by the same code as the
// window's icon.
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <cstdio>

#include "ui/ProgramIcon.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: tb_icon_images OUTPUT_FOLDER NAME\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !tb::ui::ProgramIconPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "tb_icon_images: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
