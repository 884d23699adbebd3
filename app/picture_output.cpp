#include "app/picture_output.h"

#include "app/widgets.h"
#include "files/file_access.h"
#include "files/worksheet_picture_drawing.h"

#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QShortcut>

namespace {

const QString kSaveCaption = QStringLiteral("Bild speichern…");
const QString kPrintCaption = QStringLiteral("Drucken…");
const QString kDocumentTitle = QStringLiteral("Mandorin: Graph");

} // namespace

PictureOutput::PictureOutput(QWidget* window, std::function<QImage()> source)
    : QObject(window), m_window(window),
      m_source(std::move(source)), m_saveDialog{FileDialog::Save, kPictureFileFilter, {}} {}

void PictureOutput::addContextMenu(QWidget* area) {
    m_menu = new QMenu(area);
    m_menu->setObjectName("MenuPicture");
    m_menu->addAction(kSaveCaption, this, &PictureOutput::save);
    m_menu->addAction(kPrintCaption, this, &PictureOutput::print);
    // An empty drawing has nothing to give.
    connect(m_menu, &QMenu::aboutToShow, this, [this] {
        const bool shown = !m_source().isNull();
        for (QAction* action : m_menu->actions())
            action->setEnabled(shown);
    });
    area->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(area, &QWidget::customContextMenuRequested, this,
            [this, area](QPoint at) { m_menu->popup(area->mapToGlobal(at)); });
    // The area takes no focus, so its keys work anywhere in its window.
    for (const QKeySequence& keys :
         {QKeySequence(Qt::Key_Menu), QKeySequence(Qt::SHIFT | Qt::Key_F10)})
        connect(new QShortcut(keys, area->window()), &QShortcut::activated, this,
                [this, area] { m_menu->popup(area->mapToGlobal(area->rect().center())); });
}

void PictureOutput::addButtons(QWidget* parent, const QRect& row) {
    constexpr int gap = 6;
    // "Bild speichern…" is the longer caption.
    const int saveWidth = (row.width() - gap) * 4 / 7;
    QPushButton* saveButton =
        makeButton(parent, "ButtonSavePicture", {row.left(), row.top(), saveWidth, row.height()},
                   kSaveCaption);
    QPushButton* printButton = makeButton(
        parent, "ButtonPrint",
        {row.left() + saveWidth + gap, row.top(), row.width() - saveWidth - gap, row.height()},
        kPrintCaption);
    describe(saveButton,
             "Speichert das Bild des Graphen, wie es zu sehen ist, als PNG, SVG oder PDF");
    describe(printButton, "Druckt das Bild des Graphen, wie es zu sehen ist");
    connect(saveButton, &QPushButton::clicked, this, &PictureOutput::save);
    connect(printButton, &QPushButton::clicked, this, &PictureOutput::print);
}

std::optional<QImage> PictureOutput::pictureToOutput() {
    QImage picture = m_source();
    if (picture.isNull()) {
        dialogs().message(m_window, Texts::MeldungCaption, "Die Zeichnung ist leer.");
        return std::nullopt;
    }
    return picture;
}

void PictureOutput::save() {
    const std::optional<QImage> picture = pictureToOutput();
    if (!picture)
        return;
    const std::optional<QString> chosen = m_saveDialog.execute(m_window);
    if (!chosen)
        return;
    const QString fileName = pictureFileName(*chosen);
    const QByteArray bytes =
        encodePictureFile(*picture, *pictureFileKind(fileName), kDocumentTitle);
    if (bytes.isEmpty() || !writeFileAtomically(fileName, bytes))
        dialogs().message(m_window, Texts::FehlerCaption, Texts::cannotWrite(fileName));
}

void PictureOutput::print() {
    const std::optional<QImage> picture = pictureToOutput();
    if (!picture)
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(kDocumentTitle);
    printer.setPageOrientation(picture->width() > picture->height() ? QPageLayout::Landscape
                                                                    : QPageLayout::Portrait);
    if (!dialogs().print(m_window, printer))
        return;
    QPainter painter;
    if (!painter.begin(&printer)) {
        dialogs().message(m_window, Texts::FehlerCaption, "Das Bild konnte nicht gedruckt werden.");
        return;
    }
    paintPictureOnPage(painter, QRect(0, 0, printer.width(), printer.height()), *picture);
    painter.end();
}
