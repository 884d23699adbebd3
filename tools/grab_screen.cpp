// Saves what the X screen shows as a PNG file:  grab_screen out.png
// Used by the run script and the end-to-end test to keep screenshots.
//   grab_screen --pixel X Y   prints the colour at that screen point as RRGGBB.

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: grab_screen FILE.png [x y width height]\n");
        return 2;
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
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot save %s\n", argv[1]);
        return 1;
    }
    return 0;
}
