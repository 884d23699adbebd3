#include "monkey_dialogs.h"

#include "app/main_window.h"
#include "files/graph_formats.h"
#include "files/worksheet_picture_drawing.h"
#include "support/pictures.h"
#include "support/special_files.h"
#include "support/test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QtEndian>

namespace {

using Outcome = MonkeyDialogs::Outcome;

QByteArray lines(const QList<QByteArray>& entries) {
    QByteArray bytes;
    for (const QByteArray& entry : entries)
        bytes += entry + "\r\n";
    return bytes;
}

QImage somePicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.drawEllipse(QRect(2, 2, width - 5, height - 5));
    painter.drawLine(0, 0, width - 1, height - 1);
    return image;
}

// A run-length bitmap whose header asks for 20000 x 20000 pixels but whose
// data ends at once.
QByteArray hugeBitmapHeader() {
    QByteArray bytes(14 + 40 + 1024, '\0');
    char* d = bytes.data();
    d[0] = 'B';
    d[1] = 'M';
    qToLittleEndian<quint32>(quint32(bytes.size() + 2), d + 2);
    qToLittleEndian<quint32>(14 + 40 + 1024, d + 10);
    qToLittleEndian<quint32>(40, d + 14);
    qToLittleEndian<qint32>(20000, d + 18);
    qToLittleEndian<qint32>(20000, d + 22);
    qToLittleEndian<quint16>(1, d + 26);
    qToLittleEndian<quint16>(8, d + 28);
    qToLittleEndian<quint32>(1, d + 30); // RLE8
    qToLittleEndian<quint32>(256, d + 46);
    bytes += QByteArray("\x00\x01", 2); // end of bitmap
    return bytes;
}

} // namespace

MonkeyDialogs::MonkeyDialogs(std::mt19937_64& random) : m_random(random) {
    if (m_dir.isValid())
        buildPool();
    setDialogs(this);
}

MonkeyDialogs::~MonkeyDialogs() {
    setDialogs(nullptr);
}

void MonkeyDialogs::buildPool() {
    const QDir dir(m_dir.path());
    const auto add = [&](const QString& name, const QByteArray& bytes, Outcome asPicture) {
        if (!writeFile(dir.filePath(name), bytes))
            qFatal("cannot create %s", qPrintable(dir.filePath(name)));
        m_openPool.append({dir.filePath(name), Outcome::Succeeds, asPicture});
    };
    // Fixed content, whatever the monkey's seed.
    std::mt19937 bytesSource(12345);
    QByteArray garbage(4096, '\0');
    for (char& c : garbage)
        c = char(bytesSource() & 0xff);

    add("empty.txt", {}, Outcome::Fails);
    // Some picture readers accept almost any bytes; only reading matters here.
    add("binary.bin", garbage, Outcome::Either);
    static const char withNul[] = "0-1\r\n1-2\0\r\n2-0\r\n3\r\n";
    add("nul.txt", QByteArray(withNul, sizeof withNul - 1), Outcome::Either);
    {
        QList<QByteArray> many;
        for (int i = 0; i < 10000; ++i)
            many.append("v" + QByteArray::number(i));
        add("lines10000.txt", lines(many), Outcome::Fails);
    }
    add("v_edges.txt", lines({"v0-v1", "v1-v2", "v0-v2", "v5-v9999", "v9998-v9999"}),
        Outcome::Fails);
    add("utf8_vertices.txt", lines({"Größe", "Ärger", "ß", "日本"}), Outcome::Fails);
    add("utf8_edges.txt", lines({"Größe-Ärger", "Ärger-ß", "Größe-ß", "日本-ß"}), Outcome::Fails);
    add("latin1_vertices.txt", lines({"\xC4rger", "\xFF\xFE", "Gr\xF6\xDF"}), Outcome::Fails);
    add("latin1_edges.txt",
        lines({"\xC4rger-\xFF\xFE", "\xFF\xFE-Gr\xF6\xDF", "Gr\xF6\xDF-\xC4rger"}), Outcome::Fails);
    add("triangle_vertices.txt", lines({"0", "1", "2"}), Outcome::Fails);
    add("triangle_edges.txt", lines({"0-1", "1-2", "0-2"}), Outcome::Fails);
    add("case_vertices.txt", lines({"A", "a", "B"}), Outcome::Fails);
    add("case_edges.txt", lines({"A-a", "a-B", "A-B", "b-A"}), Outcome::Fails);
    add("repeats_vertices.txt", lines({"0", "0", "1", "1", "2", "3"}), Outcome::Fails);
    add("loops_edges.txt", lines({"0-0", "0-1", "0-1", "1-0", "1-2", "2-3", "3-9"}),
        Outcome::Fails);
    add("weird.txt", lines({"", "-", "a-", "-a", "a-b-c", "a-a", "A-a", " ", "\t", "--"}),
        Outcome::Fails);
    add("breaks.txt", "0\r1\n2\r\n3\r\r0-1\r1-2\n2-3\r\n0-3", Outcome::Fails);
    add("long_line.txt", QByteArray(60000, 'x') + "-" + QByteArray(60000, 'y'), Outcome::Fails);
    {
        // 40 vertices, about half of all pairs joined: many overlapping cliques.
        QList<QByteArray> vertices;
        QList<QByteArray> edges;
        for (int i = 0; i < 40; ++i) {
            vertices.append("k" + QByteArray::number(i));
            for (int j = i + 1; j < 40; ++j)
                if (bytesSource() % 2)
                    edges.append("k" + QByteArray::number(i) + "-k" + QByteArray::number(j));
        }
        add("dense_vertices.txt", lines(vertices), Outcome::Fails);
        add("dense_edges.txt", lines(edges), Outcome::Fails);
    }
    const QByteArray bitmap = encodedPicture(somePicture(60, 40), "BMP");
    add("picture.bmp", bitmap, Outcome::Succeeds);
    add("large.bmp", encodedPicture(somePicture(1200, 900), "BMP"), Outcome::Succeeds);
    add("picture.png", encodedPicture(somePicture(60, 40), "PNG"), Outcome::Either);
    add("text.bmp", lines({"0-1", "1-2"}), Outcome::Fails);
    add("truncated.bmp", bitmap.left(bitmap.size() / 2), Outcome::Fails);
    add("huge_header.bmp", hugeBitmapHeader(), Outcome::Either);
    {
        // Cut where Qt's own readers show the part they got without a word.
        const QImage small = fourColourPicture();
        const auto cut = [](const QByteArray& bytes) { return bytes.left(bytes.size() * 2 / 3); };
        add("truncated.gif", cut(gifFile(small)), Outcome::Fails);
        add("truncated.jpg", cut(encodedPicture(small, "JPEG")), Outcome::Fails);
        add("truncated.png", cut(encodedPicture(small, "PNG")), Outcome::Fails);
    }
    // Names that are no regular file: refused at once, never opened. The
    // pipes are save answers too ("pipe" with either suffix).
    for (const char* name : {"pipe.txt", "pipe.bmp", "pipe.clq", "pipe.png"})
        if (!makeNamedPipe(dir.filePath(name)))
            qFatal("cannot make the named pipe %s", name);
    if (!makeSocket(dir.filePath("socket")))
        qFatal("cannot make a socket");
    for (const QString& special :
         {dir.filePath("pipe.txt"), dir.filePath("pipe.bmp"), dir.filePath("pipe.clq"),
          dir.filePath("socket"), QStringLiteral("/dev/null")})
        m_openPool.append({special, Outcome::Fails, Outcome::Fails});
    m_openPool.append(
        {programDirectory() + "beispiel-graph_01.bmp", Outcome::Succeeds, Outcome::Succeeds});

    dir.mkdir("folder");
    m_openPool.append({dir.filePath("folder"), Outcome::Fails, Outcome::Fails});
    m_openPool.append({dir.filePath("missing.txt"), Outcome::Fails, Outcome::Fails});

    // Save answers: "taken" names folders once the suffix is added, "pipe"
    // the named pipes above.
    dir.mkdir("out");
    dir.mkdir("taken.txt");
    dir.mkdir("taken.bmp");
    dir.mkdir("taken.clq");
    dir.mkdir("taken.png");
}

void MonkeyDialogs::message(QWidget*, const QString& caption, const QString& text) {
    m_events.append({Event::Message, caption, text, {}, false, Outcome::Either});
}

std::optional<QString> MonkeyDialogs::openFile(QWidget*, const QString& filter, const QString&) {
    if (m_openPool.isEmpty() || chance(0.1)) {
        m_events.append({Event::Open, {}, {}, filter, true, Outcome::Either});
        return std::nullopt;
    }
    const bool picture = isPictureFilter(filter);
    // Half the time the user looks for a picture where one is asked for;
    // otherwise any file of the pool.
    const bool lookForPicture = picture && chance(0.5);
    QList<const OpenEntry*> candidates;
    for (const OpenEntry& entry : m_openPool)
        if (!lookForPicture || entry.asPicture != Outcome::Fails)
            candidates.append(&entry);
    const OpenEntry& entry =
        *candidates[std::uniform_int_distribution<qsizetype>(0, candidates.size() - 1)(m_random)];
    m_events.append(
        {Event::Open, {}, entry.path, filter, false, picture ? entry.asPicture : entry.asText});
    return entry.path;
}

std::optional<QString> MonkeyDialogs::saveFile(QWidget*, const QString& filter, const QString&) {
    if (!m_dir.isValid() || chance(0.1)) {
        m_events.append({Event::Save, {}, {}, filter, true, Outcome::Either});
        return std::nullopt;
    }
    const QDir dir(m_dir.path());
    QString name;
    Outcome expected = Outcome::Succeeds;
    switch (std::uniform_int_distribution<int>(0, 5)(m_random)) {
    case 0:
    case 1:
        name = dir.filePath(QString("out/save_%1").arg(++m_saveCounter));
        break;
    case 2:
        name = dir.filePath(QString("out/Größe_%1").arg(++m_saveCounter));
        break;
    case 3:
        name = dir.filePath("no_such_folder/save");
        expected = Outcome::Fails;
        break;
    case 4:
        name = dir.filePath("taken");
        expected = Outcome::Fails;
        break;
    default:
        name = dir.filePath("pipe");
        expected = Outcome::Fails;
        break;
    }
    m_events.append({Event::Save, {}, name, filter, false, expected});
    return name;
}

QString MonkeyDialogs::checkAction() {
    // Whether a message after event `from` passes the test.
    const auto messageLater = [&](qsizetype from, const auto& test) {
        for (qsizetype i = from + 1; i < m_events.size(); ++i)
            if (m_events[i].kind == Event::Message && test(m_events[i]))
                return true;
        return false;
    };
    const auto reportedLater = [&](qsizetype from, const QString& text) {
        return messageLater(from, [&](const Event& message) { return message.text == text; });
    };
    // A save that should fail is reported and writes nothing; any save may be
    // refused, but never silently. What was written goes once it passed.
    const auto checkSave = [](const QString& fileName, Outcome expected, bool reported) {
        const bool written = QFileInfo(fileName).isFile();
        if (expected == Outcome::Fails && (!reported || written))
            return QString("saving %1: reported %2, written %3")
                .arg(fileName)
                .arg(reported)
                .arg(written);
        if (expected == Outcome::Succeeds && !reported && !written)
            return QString("saving %1 failed silently").arg(fileName);
        if (written)
            QFile::remove(fileName);
        return QString();
    };
    const QStringList captions{Texts::ErrorCaption, Texts::FehlerCaption, Texts::MeldungCaption};
    for (qsizetype i = 0; i < m_events.size(); ++i) {
        const Event& event = m_events[i];
        if (event.kind == Event::Message) {
            if (!captions.contains(event.caption) || event.text.trimmed().isEmpty())
                return QString("message with caption \"%1\" and text \"%2\"")
                    .arg(event.caption, event.text);
            continue;
        }
        if (event.cancelled)
            continue;
        // "Öffnen…" and "Als DIMACS…" name the file in their own messages.
        if (event.filter == kGraphFileFilter || event.filter == kDimacsFileFilter) {
            const bool save = event.kind == Event::Save;
            const QString fileName =
                save && QFileInfo(event.text).suffix().isEmpty() ? event.text + ".clq" : event.text;
            const bool reported = messageLater(i, [&](const Event& message) {
                return message.caption == Texts::FehlerCaption &&
                       message.text.contains('"' + QFileInfo(fileName).fileName() + '"');
            });
            // Any file may be refused for what it holds, but never silently.
            if (!save) {
                if (event.expected == Outcome::Fails && !reported)
                    return QString("opening %1 failed silently").arg(event.text);
                continue;
            }
            if (const QString fault = checkSave(fileName, event.expected, reported);
                !fault.isEmpty())
                return fault;
            continue;
        }
        const bool picture = isPictureFilter(event.filter);
        if (event.kind == Event::Open) {
            const QString complaint =
                picture ? Texts::cannotLoadPicture(event.text) : Texts::cannotRead(event.text);
            if (event.expected == Outcome::Fails && !reportedLater(i, complaint))
                return QString("opening %1 failed silently").arg(event.text);
            if (event.expected == Outcome::Succeeds && reportedLater(i, complaint))
                return QString("opening %1 was reported as failed").arg(event.text);
            continue;
        }
        // Worksheet pictures keep a name's ending of their kinds.
        const QString fileName = event.filter == kPictureFileFilter
                                     ? pictureFileName(event.text)
                                     : event.text + (picture ? ".bmp" : ".txt");
        // A good name may still fail (a graph without picture), but never silently.
        const bool reported = reportedLater(i, Texts::cannotWrite(fileName));
        if (const QString fault = checkSave(fileName, event.expected, reported); !fault.isEmpty())
            return fault;
    }
    return {};
}

QStringList MonkeyDialogs::describeEvents() const {
    QStringList texts;
    const QString base = m_dir.path() + '/';
    for (const Event& event : m_events) {
        QString text = event.text;
        text.replace(base, QString());
        switch (event.kind) {
        case Event::Message:
            texts.append(QString("    message %1: %2").arg(event.caption, text.left(120)));
            break;
        case Event::Open:
        case Event::Save:
            texts.append(QString("    %1 [%2] -> %3")
                             .arg(event.kind == Event::Open ? "open" : "save", event.filter,
                                  event.cancelled ? QString("cancel") : text));
            break;
        }
    }
    return texts;
}
