// Reads what the X server shows, for the run script and the end-to-end test:
//   grab_screen FILE [x y width height]   saves the screen, or a part of it;
//                                          the name's suffix picks the format
//                                          (.png, or .ppm to read it back simply)
//   grab_screen --pixel X Y                prints the colour there as RRGGBB
//   grab_screen --selection                prints the selected text (what a
//                                          text field shows once selected)

#include <QClipboard>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab_screen FILE [x y width height] | --pixel X Y | "
                             "--selection\n");
        return 2;
    }
    if (QByteArray(argv[1]) == "--selection") {
        const QByteArray text = QGuiApplication::clipboard()->text(QClipboard::Selection).toUtf8();
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        std::fprintf(stderr, "no screen\n");
        return 1;
    }
    if (QByteArray(argv[1]) == "--pixel" && argc >= 4) {
        const QImage point = screen->grabWindow(0, atoi(argv[2]), atoi(argv[3]), 1, 1).toImage();
        if (point.isNull())
            return 1;
        std::printf("%06x\n", point.pixel(0, 0) & 0xffffff);
        return 0;
    }
    QPixmap shot = argc >= 6 ? screen->grabWindow(0, atoi(argv[2]), atoi(argv[3]), atoi(argv[4]),
                                                  atoi(argv[5]))
                             : screen->grabWindow(0);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
