#include "graph/style_drawing.h"

QFont courierFont(int pixelSize, bool bold, bool underline, bool italic) {
    QFont font("Courier New");
    font.setStyleHint(QFont::Courier);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setItalic(italic);
    // Whole-pixel advances, so texts take the widths the layout was made for.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QFont sansFont(int pixelSize) {
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}
