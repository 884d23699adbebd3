#include "graph_formats.h"

#include "files/file_access.h"

#include <QBuffer>
#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <vector>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// isBinaryByte as a table: every byte of a file passes through here.
bool hasBinaryByte(QByteArrayView bytes) {
    static const std::array<bool, 256> binary = [] {
        std::array<bool, 256> table{};
        for (std::size_t c = 0; c < table.size(); ++c)
            table[c] = isBinaryByte(char(c));
        return table;
    }();
    return std::any_of(bytes.begin(), bytes.end(),
                       [](char c) { return binary[static_cast<unsigned char>(c)]; });
}

bool isDigits(QByteArrayView text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The value of a text of digits, held at kHuge once it passes it, which is
// beyond every limit it is compared with (and far enough below the largest
// integer that one more digit cannot overflow).
constexpr qint64 kHuge = qint64(1) << 59;
qint64 heldValue(QByteArrayView digits) {
    qint64 value = 0;
    for (const char c : digits)
        value = std::min(kHuge, value * 10 + (c - '0'));
    return value;
}

// The blank-separated fields of a line; count says how many there were, of
// which the first fields.size() are kept.
struct Fields {
    std::array<QByteArrayView, 4> at;
    int count = 0;
};
Fields blankFields(QByteArrayView line) {
    Fields fields;
    const char* p = line.begin();
    const char* end = line.end();
    while (true) {
        p = std::find_if_not(p, end, isBlank);
        if (p == end)
            return fields;
        const char* stop = std::find_if(p, end, isBlank);
        if (fields.count < int(fields.at.size()))
            fields.at[std::size_t(fields.count)] = QByteArrayView(p, stop - p);
        ++fields.count;
        p = stop;
    }
}

// A line as it may be quoted in a message: blanks trimmed, cut short, and
// every character that would not show (a control, a stray byte of a picture
// read as Latin-1) replaced by the replacement character.
QString excerpt(QByteArrayView line) {
    constexpr qsizetype kLongest = 40;
    QString text = displayText(line.trimmed()
                                   .first(std::min<qsizetype>(line.trimmed().size(), 4 * kLongest))
                                   .toByteArray());
    for (QChar& c : text)
        if (!c.isPrint())
            c = QChar::ReplacementCharacter;
    return text.size() <= kLongest ? text : text.left(kLongest) + QStringLiteral("...");
}

// Both ends hold a dash: no edge text can keep them apart.
bool bothDashed(QByteArrayView a, QByteArrayView b) {
    return a.contains('-') && b.contains('-');
}

// "a-b" with an end that holds no dash first, so that the store's split at
// the first dash gives both ends back (not for bothDashed ends). Built in
// one piece: files hold millions of them.
QByteArray edgeText(QByteArrayView a, QByteArrayView b) {
    if (a.contains('-'))
        std::swap(a, b);
    QByteArray text(a.size() + 1 + b.size(), Qt::Uninitialized);
    char* out = std::copy(a.begin(), a.end(), text.data());
    *out++ = '-';
    std::copy(b.begin(), b.end(), out);
    return text;
}

QString dashedEndsText(QByteArrayView a, QByteArrayView b) {
    return QStringLiteral("Die Namen \"%1\" und \"%2\" enthalten beide einen Bindestrich; Mandorin "
                          "trennt die zwei Enden einer Kante am ersten Bindestrich.")
        .arg(displayText(a.toByteArray()), displayText(b.toByteArray()));
}

// One undirected edge between vertex indices, for spotting repeats.
quint64 pairKey(quint64 a, quint64 b) {
    return (std::min(a, b) << 32) | std::max(a, b);
}

// The pair keys seen so far: an open-addressed table, doubled when half full,
// several times faster than a node-based set for millions of edges. Slots
// hold key + 1, so that a fresh table from calloc is empty without being
// written to first.
class PairKeys {
public:
    // True when the key was not in the set yet.
    bool insert(quint64 key) {
        if (2 * (m_count + 1) > m_size)
            grow();
        const quint64 stored = key + 1;
        std::size_t at = slotOf(stored);
        while (m_slots[at] != 0) {
            if (m_slots[at] == stored)
                return false;
            at = (at + 1) & std::size_t(m_size - 1);
        }
        m_slots[at] = stored;
        ++m_count;
        return true;
    }
    // Asks the processor to fetch where inserting the key will start.
    void prefetch(quint64 key) const {
        if (m_slots)
            __builtin_prefetch(&m_slots[slotOf(key + 1)]);
    }
    // Room for count keys, as far as a few MB go: a header or a file's size
    // may promise far more than the file turns out to hold.
    void reserve(qsizetype count) {
        constexpr qsizetype kMostReserved = qsizetype(1) << 18;
        while (m_size < 2 * std::min(count, kMostReserved))
            grow();
    }

private:
    struct Free {
        void operator()(quint64* table) const { std::free(table); }
    };

    std::size_t slotOf(quint64 stored) const {
        return std::size_t((stored * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    void grow() {
        qsizetype size = m_size == 0 ? 16 : 2 * m_size;
        std::unique_ptr<quint64[], Free> table(
            static_cast<quint64*>(std::calloc(std::size_t(size), sizeof(quint64))));
        if (!table)
            throw std::bad_alloc();
        std::swap(table, m_slots);
        std::swap(size, m_size);
        m_shift = 64 - std::countr_zero(quint64(m_size));
        for (qsizetype i = 0; i < size; ++i) {
            const quint64 stored = table[i];
            if (stored == 0)
                continue;
            std::size_t at = slotOf(stored);
            while (m_slots[at] != 0)
                at = (at + 1) & std::size_t(m_size - 1);
            m_slots[at] = stored;
        }
    }

    std::unique_ptr<quint64[], Free> m_slots;
    qsizetype m_size = 0;
    qsizetype m_count = 0;
    int m_shift = 64;
};

OpenedGraph refused(const QString& fileName, GraphFileProblem problem, qsizetype line,
                    const QString& detail) {
    OpenedGraph result;
    result.problem = problem;
    result.line = line;
    result.message = QStringLiteral("Die Datei %1 enthält keinen lesbaren Graphen.\nZeile %2: %3")
                         .arg(FileTexts::quotedName(fileName), QString::number(line), detail);
    return result;
}

// A problem with the file as a whole: no line to blame.
OpenedGraph refusedFile(GraphFileProblem problem, const QString& message) {
    OpenedGraph result;
    result.problem = problem;
    result.message = message;
    return result;
}

// Control characters make a binary file, wherever they stand.
OpenedGraph notText(const QString& fileName, qsizetype line) {
    OpenedGraph result = refusedFile(GraphFileProblem::Binary, FileTexts::notText(fileName));
    result.line = line;
    return result;
}

OpenedGraph opened(QList<QByteArray> vertices, QList<QByteArray> edges) {
    OpenedGraph result;
    result.graph.vertices = TextList(std::move(vertices));
    result.graph.edges = TextList(std::move(edges));
    result.graph.refreshCounts();
    return result;
}

// Walks the lines of a file (ended by LF, CR LF or CR), numbering them from 1
// and reporting the share read to the progress window. The file is read in
// pieces, so that memory holds what was read from it, not the file.
class Lines {
public:
    Lines(QIODevice& device, qint64 size, ProgressSink* progress)
        : m_device(device), m_size(size),
          m_progress(size >= kGraphFileProgressBytes ? progress : nullptr, kSteps) {
        fill();
        if (QByteArrayView(m_buffer).startsWith("\xEF\xBB\xBF"))
            m_pos = 3; // the UTF-8 mark some editors put first
    }

    // The line of the first NUL within the file's first piece, 0 when there
    // is none. Pictures and programs hold NULs near their start, often after
    // a first line of no control character at all ("\x89PNG"); found before
    // the first line is judged, the NUL is what the message names.
    qsizetype nulLineAtStart() const {
        const QByteArrayView start(m_buffer);
        const qsizetype nul = start.indexOf('\0');
        if (nul < 0)
            return 0;
        const QByteArrayView before = start.first(nul);
        return before.count('\n') + before.count('\r') - before.count("\r\n") + 1;
    }

    bool next() {
        qsizetype searched = m_pos;
        while (true) {
            const char* begin = m_buffer.constData() + m_pos;
            const char* end = m_buffer.constData() + m_buffer.size();
            const char* stop = std::find_if(m_buffer.constData() + searched, end,
                                            [](char c) { return c == '\n' || c == '\r'; });
            // A CR at the end of what was read may be the first half of CR LF.
            const bool complete = stop != end && (*stop == '\n' || stop + 1 != end || m_atEnd);
            if (complete || (m_atEnd && begin != end)) {
                m_line = QByteArrayView(begin, stop - begin);
                if (stop != end)
                    stop += *stop == '\r' && stop + 1 != end && stop[1] == '\n' ? 2 : 1;
                m_pos = stop - m_buffer.constData();
                ++m_number;
                if (m_progress.shown() && m_number % 4096 == 0)
                    report();
                return true;
            }
            if (m_atEnd)
                return false;
            if (end - begin > kLongestLine) {
                m_tooLong = true;
                ++m_number;
                return false;
            }
            searched = stop - begin;
            fill();
        }
    }
    QByteArrayView line() const { return m_line; }
    qsizetype number() const { return m_number; }
    // next() stopped at a line longer than kLongestLine.
    bool tooLong() const { return m_tooLong; }
    // next() stopped because the file could not be read on.
    bool failed() const { return m_failed; }

    static constexpr qsizetype kLongestLine = 1 << 20;

private:
    static constexpr int kSteps = 1000;
    static constexpr qint64 kPiece = 1 << 20;

    // Drops the lines already handed out and appends the next piece.
    void fill() {
        m_buffer.remove(0, m_pos);
        m_read += m_pos;
        m_pos = 0;
        const qsizetype kept = m_buffer.size();
        m_buffer.resize(kept + kPiece);
        const qint64 got = m_device.read(m_buffer.data() + kept, kPiece);
        m_buffer.resize(kept + std::max<qint64>(got, 0));
        if (got < 0)
            m_failed = true;
        if (got <= 0)
            m_atEnd = true;
    }

    void report() {
        if (m_size <= 0)
            return;
        const int step = int((m_read + m_pos) * kSteps / m_size);
        if (step != m_reported)
            m_progress.setPosition(m_reported = std::min(step, kSteps));
    }

    QIODevice& m_device;
    qint64 m_size;
    ProgressShown m_progress;
    QByteArray m_buffer;
    qsizetype m_pos = 0; // in m_buffer: where the next line starts
    qint64 m_read = 0;   // bytes dropped from the buffer's front so far
    bool m_atEnd = false;
    bool m_failed = false;
    bool m_tooLong = false;
    qsizetype m_number = 0;
    QByteArrayView m_line;
    int m_reported = 0;
};

// Of several problems found after the last line, the one on the earliest line.
class EarliestProblem {
public:
    explicit EarliestProblem(const QString& fileName) : m_fileName(fileName) {}
    void note(GraphFileProblem problem, qsizetype line, const QString& detail) {
        if (!m_found || line < m_found->line)
            m_found = refused(m_fileName, problem, line, detail);
    }
    const std::optional<OpenedGraph>& found() const { return m_found; }

private:
    const QString& m_fileName;
    std::optional<OpenedGraph> m_found;
};

const QByteArray kNamePrefix = QByteArrayLiteral("c Knoten ");

QString headerExample() {
    return QStringLiteral("\"p edge N M\"");
}

// A vertex name given by a comment "c Knoten i: name".
struct NameComment {
    qint64 vertex;
    QString number; // as written
    QByteArray name;
    qsizetype line;
};

std::optional<NameComment> nameComment(QByteArrayView line, qsizetype number) {
    if (!line.startsWith(kNamePrefix))
        return std::nullopt;
    const QByteArrayView rest = line.sliced(kNamePrefix.size());
    const qsizetype colon = rest.indexOf(':');
    if (colon < 0 || !isDigits(rest.first(colon)))
        return std::nullopt; // an ordinary comment
    QByteArrayView name = rest.sliced(colon + 1);
    if (name.startsWith(' '))
        name = name.sliced(1);
    const QByteArrayView digits = rest.first(colon);
    return NameComment{heldValue(digits), excerpt(digits), name.toByteArray(), number};
}

struct NumberedEdge {
    qint64 first;
    qint64 second;
    qsizetype line;
};

} // namespace

GraphFileFormat graphFileFormat(const QString& fileName) {
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == "clq" || suffix == "col" || suffix == "dimacs")
        return GraphFileFormat::Dimacs;
    if (suffix == "txt" || suffix == "edges" || suffix == "csv")
        return GraphFileFormat::EdgeList;
    return GraphFileFormat::Unknown;
}

namespace {

// What stops a walk over the lines before the file's end, or what the file's
// first piece shows: nothing when the lines can be judged one by one.
std::optional<OpenedGraph> fileProblem(const Lines& lines, const QString& fileName, qint64 size) {
    if (size == 0)
        return refusedFile(
            GraphFileProblem::Empty,
            QStringLiteral("Die Datei %1 ist leer.").arg(FileTexts::quotedName(fileName)));
    if (const qsizetype line = lines.nulLineAtStart())
        return notText(fileName, line);
    return std::nullopt;
}

std::optional<OpenedGraph> stopProblem(const Lines& lines, const QString& fileName) {
    if (lines.tooLong())
        return refused(fileName, GraphFileProblem::MalformedLine, lines.number(),
                       QStringLiteral("Die Zeile ist länger als 1 MB; so lange Zeilen kommen in "
                                      "keinem Graphen vor."));
    if (lines.failed())
        return refusedFile(GraphFileProblem::CannotRead, FileTexts::cannotRead(fileName));
    return std::nullopt;
}

OpenedGraph readDimacsFrom(QIODevice& device, qint64 size, const QString& fileName,
                           ProgressSink* progress);
OpenedGraph readEdgeListFrom(QIODevice& device, qint64 size, const QString& fileName,
                             ProgressSink* progress);

OpenedGraph readFromBytes(const QByteArray& bytes, const QString& fileName, ProgressSink* progress,
                          OpenedGraph (*reader)(QIODevice&, qint64, const QString&,
                                                ProgressSink*)) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return reader(buffer, bytes.size(), fileName, progress);
}

} // namespace

OpenedGraph openGraphFile(const QString& fileName, ProgressSink* progress) {
    const GraphFileFormat format = graphFileFormat(fileName);
    if (format == GraphFileFormat::Unknown)
        return refusedFile(GraphFileProblem::UnknownFormat,
                           QStringLiteral("Die Datei %1 hat ein unbekanntes Format.\nMandorin "
                                          "öffnet DIMACS-Dateien (.clq, .col, .dimacs) und "
                                          "Kantenlisten (.txt, .edges, .csv).")
                               .arg(FileTexts::quotedName(fileName)));
    InputFile file(fileName);
    if (file.refusal() != FileRefusal::None)
        return refusedFile(file.refusal() == FileRefusal::TooLarge ? GraphFileProblem::TooLarge
                                                                   : GraphFileProblem::CannotRead,
                           FileTexts::refusal(file.refusal(), fileName, file.size()));
    return format == GraphFileFormat::Dimacs
               ? readDimacsFrom(file.device(), file.size(), fileName, progress)
               : readEdgeListFrom(file.device(), file.size(), fileName, progress);
}

OpenedGraph readDimacs(const QByteArray& bytes, const QString& fileName, ProgressSink* progress) {
    return readFromBytes(bytes, fileName, progress, readDimacsFrom);
}

OpenedGraph readEdgeList(const QByteArray& bytes, const QString& fileName, ProgressSink* progress) {
    return readFromBytes(bytes, fileName, progress, readEdgeListFrom);
}

namespace {

OpenedGraph readDimacsFrom(QIODevice& device, qint64 size, const QString& fileName,
                           ProgressSink* progress) {
    const auto refuse = [&](GraphFileProblem problem, qsizetype line, const QString& detail) {
        return refused(fileName, problem, line, detail);
    };
    qint64 vertexCount = 0;
    qint64 edgeCount = 0;
    qsizetype headerLine = 0;
    qint64 edgeLines = 0;
    std::vector<NumberedEdge> edges;
    PairKeys seen;
    std::vector<NameComment> names;

    Lines lines(device, size, progress);
    if (std::optional<OpenedGraph> problem = fileProblem(lines, fileName, size))
        return *problem;
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        const qsizetype number = lines.number();
        const QByteArrayView text = line.trimmed();
        if (text.isEmpty())
            continue;
        if (text.front() == 'c') {
            // Comments may hold any text, but no NUL: that is a binary file.
            if (line.contains('\0'))
                return notText(fileName, number);
            if (std::optional<NameComment> name = nameComment(line, number))
                names.push_back(std::move(*name));
            continue;
        }
        if (hasBinaryByte(line))
            return notText(fileName, number);
        const Fields fields = blankFields(text);
        if (fields.at[0] == "p") {
            if (headerLine != 0)
                return refuse(GraphFileProblem::RepeatedHeader, number,
                              QStringLiteral("Zweite p-Zeile (die erste steht in Zeile %1).")
                                  .arg(headerLine));
            if (fields.count != 4 || (fields.at[1] != "edge" && fields.at[1] != "col") ||
                !isDigits(fields.at[2]) || !isDigits(fields.at[3]))
                return refuse(GraphFileProblem::MalformedLine, number,
                              QStringLiteral("%1 erwartet, gefunden: \"%2\".")
                                  .arg(headerExample(), excerpt(line)));
            vertexCount = heldValue(fields.at[2]);
            edgeCount = heldValue(fields.at[3]);
            if (vertexCount > kMaxGraphFileVertices)
                return refuse(GraphFileProblem::TooManyVertices, number,
                              QStringLiteral("Mehr als %1 Knoten.").arg(kMaxGraphFileVertices));
            if (vertexCount == 0)
                return refuse(GraphFileProblem::NoVertices, number,
                              QStringLiteral("Der Graph hat keine Knoten."));
            headerLine = number;
            // Reserved only as far as the file can hold edge lines ("e 1 2").
            const auto room = std::size_t(std::min<qint64>(edgeCount, size / 6));
            edges.reserve(room);
            seen.reserve(qsizetype(room));
        } else if (fields.at[0] == "e") {
            if (headerLine == 0)
                return refuse(GraphFileProblem::MissingHeader, number,
                              QStringLiteral("Kante vor der p-Zeile (%1).").arg(headerExample()));
            if (fields.count != 3 || !isDigits(fields.at[1]) || !isDigits(fields.at[2]))
                return refuse(
                    GraphFileProblem::MalformedLine, number,
                    QStringLiteral("\"e u v\" erwartet, gefunden: \"%1\".").arg(excerpt(line)));
            std::array<qint64, 2> ends{};
            for (std::size_t i = 0; i < 2; ++i) {
                const QByteArrayView digits = fields.at[i + 1];
                ends[i] = heldValue(digits);
                if (ends[i] < 1 || ends[i] > vertexCount)
                    return refuse(GraphFileProblem::VertexOutOfRange, number,
                                  QStringLiteral("Knotennummer %1 liegt nicht zwischen 1 und %2.")
                                      .arg(excerpt(digits), QString::number(vertexCount)));
            }
            if (++edgeLines > edgeCount)
                return refuse(
                    GraphFileProblem::CountMismatch, number,
                    QStringLiteral("Mehr Kanten, als die p-Zeile angibt (%1).").arg(edgeCount));
            if (seen.insert(pairKey(quint64(ends[0]), quint64(ends[1]))))
                edges.push_back({ends[0], ends[1], number});
        } else {
            return refuse(GraphFileProblem::MalformedLine, number,
                          QStringLiteral("Unbekannte Zeile \"%1\"; erwartet werden Kommentare (c), "
                                         "eine p-Zeile und Kanten (e).")
                              .arg(excerpt(line)));
        }
    }

    if (std::optional<OpenedGraph> problem = stopProblem(lines, fileName))
        return *problem;
    if (headerLine == 0)
        return refuse(GraphFileProblem::MissingHeader, lines.number() + 1,
                      QStringLiteral("Die Datei endet ohne p-Zeile (%1).").arg(headerExample()));

    // What is only known at the end: the count, the names and the edge texts
    // they give. Reported is the problem on the earliest line.
    EarliestProblem problem(fileName);
    if (edgeLines < edgeCount)
        problem.note(GraphFileProblem::CountMismatch, headerLine,
                     QStringLiteral("Die p-Zeile gibt %1 Kanten an, die Datei enthält %2.")
                         .arg(edgeCount)
                         .arg(edgeLines));

    QList<QByteArray> labels;
    labels.reserve(vertexCount);
    for (qint64 v = 1; v <= vertexCount; ++v)
        labels.append(QByteArray::number(v));
    if (!names.empty()) {
        std::vector<bool> named(std::size_t(vertexCount) + 1, false);
        for (const NameComment& name : names) {
            if (name.vertex < 1 || name.vertex > vertexCount) {
                problem.note(GraphFileProblem::VertexOutOfRange, name.line,
                             QStringLiteral("Knotennummer %1 liegt nicht zwischen 1 und %2.")
                                 .arg(name.number, QString::number(vertexCount)));
            } else if (named[std::size_t(name.vertex)]) {
                problem.note(GraphFileProblem::NameClash, name.line,
                             QStringLiteral("Knoten %1 hat schon einen Namen.").arg(name.vertex));
            } else {
                named[std::size_t(name.vertex)] = true;
                labels[name.vertex - 1] = name.name;
            }
        }
        QHash<QByteArray, int> uses;
        for (const QByteArray& label : labels)
            ++uses[label];
        for (const NameComment& name : names)
            if (uses.value(name.name) > 1)
                problem.note(GraphFileProblem::NameClash, name.line,
                             QStringLiteral("Der Name \"%1\" gehört zu mehr als einem Knoten.")
                                 .arg(displayText(name.name)));
    }

    QList<QByteArray> texts;
    texts.reserve(qsizetype(edges.size()));
    for (const NumberedEdge& edge : edges) {
        const QByteArray& a = labels[edge.first - 1];
        const QByteArray& b = labels[edge.second - 1];
        if (bothDashed(a, b))
            problem.note(GraphFileProblem::DashedEnds, edge.line, dashedEndsText(a, b));
        else
            texts.append(edgeText(a, b));
    }
    if (problem.found())
        return *problem.found();
    return opened(std::move(labels), std::move(texts));
}

bool isSeparator(char c) {
    return isBlank(c) || c == ',' || c == ';';
}

// The fields of an edge list line: separated by blanks, or by one comma or
// semicolon with blanks around it; a field starting with '#' or '%' starts a
// comment. Nothing when a comma or semicolon leaves a field empty.
std::optional<Fields> listFields(QByteArrayView line) {
    Fields fields;
    const char* p = line.begin();
    const char* end = line.end();
    bool fieldDue = false; // after a comma or semicolon
    while (true) {
        p = std::find_if_not(p, end, isBlank);
        if (p == end || *p == '#' || *p == '%')
            break;
        if (*p == ',' || *p == ';')
            return std::nullopt;
        const char* stop = std::find_if(p, end, isSeparator);
        if (fields.count < int(fields.at.size()))
            fields.at[std::size_t(fields.count)] = QByteArrayView(p, stop - p);
        ++fields.count;
        p = std::find_if_not(stop, end, isBlank);
        fieldDue = p != end && (*p == ',' || *p == ';');
        if (fieldDue)
            ++p;
    }
    if (fieldDue)
        return std::nullopt;
    return fields;
}

// The labels of an edge list numbered by first mention. A file of a million
// lines looks up two labels a line; held in one table whose entries carry a
// label's first eight bytes and its length, most lookups touch one place in
// memory instead of the half a dozen a hash of separate texts does, and that
// place can be fetched ahead.
class LabelIds {
    static constexpr qsizetype kHeadSize = 8;

public:
    struct Slot {
        quint64 head = 0; // the first bytes, zero after the label's end
        quint32 hash = 0; // its lowest byte: the length, up to 255
        int id = -1;      // -1: empty
    };
    // What a label is looked up by.
    static Slot probeFor(QByteArrayView label) {
        Slot slot;
        const qsizetype headSize = std::min(label.size(), kHeadSize);
        std::memcpy(&slot.head, label.data(), std::size_t(headSize));
        quint64 hash = 0xcbf29ce484222325ull; // FNV-1a
        for (const char c : label)
            hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
        slot.hash = (quint32(hash ^ (hash >> 32)) & ~0xFFu) |
                    quint32(std::min<qsizetype>(label.size(), 255));
        return slot;
    }
    // Asks the processor to fetch where the lookup will start.
    void prefetch(const Slot& probe) const {
        if (!m_slots.empty())
            __builtin_prefetch(&m_slots[indexOf(probe.hash)]);
    }
    // The label's number; a new one, the next, when isNew is set. probe is
    // probeFor(label).
    int idOf(QByteArrayView label, const Slot& wanted, bool& isNew) {
        if (2 * (m_count + 1) > qsizetype(m_slots.size()))
            grow();
        std::size_t at = indexOf(wanted.hash);
        while (m_slots[at].id >= 0) {
            const Slot& slot = m_slots[at];
            if (slot.hash == wanted.hash && slot.head == wanted.head &&
                (label.size() <= kHeadSize || restOf(slot.id) == label.sliced(kHeadSize))) {
                isNew = false;
                return slot.id;
            }
            at = (at + 1) & (m_slots.size() - 1);
        }
        m_slots[at] = wanted;
        m_slots[at].id = int(m_count);
        m_restStarts.push_back(m_rests.size());
        if (label.size() > kHeadSize)
            m_rests.insert(m_rests.end(), label.begin() + kHeadSize, label.end());
        isNew = true;
        return int(m_count++);
    }

private:
    std::size_t indexOf(quint32 hash) const {
        return std::size_t((quint64(hash) * 0x9E3779B97F4A7C15ull) >> m_shift);
    }
    // The bytes of label id beyond its head.
    QByteArrayView restOf(int id) const {
        const std::size_t begin = m_restStarts[std::size_t(id)];
        const std::size_t end = id + 1 < qsizetype(m_restStarts.size())
                                    ? m_restStarts[std::size_t(id) + 1]
                                    : m_rests.size();
        return QByteArrayView(m_rests.data() + begin, qsizetype(end - begin));
    }
    void grow() {
        std::vector<Slot> old(m_slots.empty() ? 1024 : 2 * m_slots.size());
        old.swap(m_slots);
        m_shift = 64 - std::countr_zero(m_slots.size());
        for (const Slot& slot : old) {
            if (slot.id < 0)
                continue;
            std::size_t at = indexOf(slot.hash);
            while (m_slots[at].id >= 0)
                at = (at + 1) & (m_slots.size() - 1);
            m_slots[at] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::vector<char> m_rests;             // the bytes beyond the heads, one label after the other
    std::vector<std::size_t> m_restStarts; // by number: where its rest begins
    qsizetype m_count = 0;
    int m_shift = 64;
};

OpenedGraph readEdgeListFrom(QIODevice& device, qint64 size, const QString& fileName,
                             ProgressSink* progress) {
    const auto refuse = [&](GraphFileProblem problem, qsizetype line, const QString& detail) {
        return refused(fileName, problem, line, detail);
    };
    LabelIds ids;
    QList<QByteArray> labels;
    QList<QByteArray> edges;
    PairKeys seen;

    // Lines wait in batches for their lookups: every lookup touches a table
    // far larger than the processor's caches, and with the places of a whole
    // batch asked for ahead, the waits for memory overlap instead of adding
    // up. Their labels are copied, as the lines' bytes go with the next piece.
    struct Waiting {
        qsizetype line;
        qsizetype firstAt, firstSize, secondAt, secondSize; // in waitingBytes
        LabelIds::Slot firstProbe, secondProbe;
        bool edge;
        int a = -1, b = -1;
    };
    constexpr std::size_t kBatch = 256;
    std::vector<Waiting> waiting;
    std::vector<char> waitingBytes;
    waiting.reserve(kBatch);
    const auto keep = [&](QByteArrayView label) {
        const auto at = qsizetype(waitingBytes.size());
        waitingBytes.insert(waitingBytes.end(), label.begin(), label.end());
        return at;
    };
    const auto bytesAt = [&](qsizetype at, qsizetype size) {
        return QByteArrayView(waitingBytes.data() + at, size);
    };
    const auto idOf = [&](QByteArrayView label, const LabelIds::Slot& probe) {
        bool isNew = false;
        const int id = ids.idOf(label, probe, isNew);
        if (isNew)
            labels.append(label.toByteArray());
        return id;
    };
    // Numbers the labels of the waiting lines and keeps their new edges, in
    // the order of the lines.
    const auto lookUpWaiting = [&]() -> std::optional<OpenedGraph> {
        for (const Waiting& w : waiting) {
            ids.prefetch(w.firstProbe);
            if (w.edge)
                ids.prefetch(w.secondProbe);
        }
        for (Waiting& w : waiting) {
            w.a = idOf(bytesAt(w.firstAt, w.firstSize), w.firstProbe);
            if (w.edge) {
                w.b = idOf(bytesAt(w.secondAt, w.secondSize), w.secondProbe);
                seen.prefetch(pairKey(quint64(w.a), quint64(w.b)));
            }
            if (labels.size() > kMaxGraphFileVertices)
                return refuse(GraphFileProblem::TooManyVertices, w.line,
                              QStringLiteral("Mehr als %1 Knoten.").arg(kMaxGraphFileVertices));
        }
        for (const Waiting& w : waiting)
            if (w.edge && seen.insert(pairKey(quint64(w.a), quint64(w.b))))
                edges.append(
                    edgeText(bytesAt(w.firstAt, w.firstSize), bytesAt(w.secondAt, w.secondSize)));
        waiting.clear();
        waitingBytes.clear();
        return std::nullopt;
    };
    // A bad line is reported once the lines before it are looked up: one of
    // them may hold a vertex too many.
    const auto refuseAfterWaiting = [&](GraphFileProblem problem, qsizetype line,
                                        const QString& detail) {
        if (std::optional<OpenedGraph> earlier = lookUpWaiting())
            return *earlier;
        return refuse(problem, line, detail);
    };

    // About one edge a line, of some ten bytes.
    seen.reserve(std::min<qint64>(size / 10, qint64(1) << 22) + 1);
    Lines lines(device, size, progress);
    if (std::optional<OpenedGraph> problem = fileProblem(lines, fileName, size))
        return *problem;
    while (lines.next()) {
        const QByteArrayView line = lines.line();
        const qsizetype number = lines.number();
        if (hasBinaryByte(line)) {
            if (std::optional<OpenedGraph> earlier = lookUpWaiting())
                return *earlier;
            return notText(fileName, number);
        }
        const std::optional<Fields> fields = listFields(line);
        if (!fields)
            return refuseAfterWaiting(GraphFileProblem::MalformedLine, number,
                                      QStringLiteral("Leeres Feld in \"%1\".").arg(excerpt(line)));
        if (fields->count == 0)
            continue;
        if (fields->count > 2)
            return refuseAfterWaiting(
                GraphFileProblem::MalformedLine, number,
                QStringLiteral("Ein oder zwei Namen je Zeile erwartet, gefunden: \"%1\".")
                    .arg(excerpt(line)));
        const QByteArrayView first = fields->at[0];
        Waiting next{number, keep(first),       first.size(), 0, 0, LabelIds::probeFor(first),
                     {},     fields->count == 2};
        if (!next.edge) {
            if (first.contains('-'))
                return refuseAfterWaiting(
                    GraphFileProblem::EdgeTextAlone, number,
                    QStringLiteral("\"%1\" sieht aus wie eine Kante in Mandorins eigener "
                                   "Form. In einer Kantenliste stehen die zwei Namen "
                                   "getrennt durch Leerzeichen, Komma oder Semikolon; "
                                   "Mandorins Kanten-Dateien lädt \"Import\".")
                        .arg(excerpt(line)));
        } else {
            // The first end is the first mention: it is looked up first.
            const QByteArrayView second = fields->at[1];
            if (bothDashed(first, second))
                return refuseAfterWaiting(GraphFileProblem::DashedEnds, number,
                                          dashedEndsText(first, second));
            next.secondAt = keep(second);
            next.secondSize = second.size();
            next.secondProbe = LabelIds::probeFor(second);
        }
        waiting.push_back(next);
        if (waiting.size() == kBatch)
            if (std::optional<OpenedGraph> problem = lookUpWaiting())
                return *problem;
    }
    if (std::optional<OpenedGraph> problem = lookUpWaiting())
        return *problem;
    if (std::optional<OpenedGraph> problem = stopProblem(lines, fileName))
        return *problem;
    if (labels.isEmpty())
        return refuse(GraphFileProblem::NoVertices, lines.number() + 1,
                      QStringLiteral("Die Datei nennt keinen Knoten."));
    return opened(std::move(labels), std::move(edges));
}

} // namespace

DimacsText dimacsText(const GraphStore& store) {
    DimacsText result;
    QHash<QByteArray, qsizetype> numbers; // 1-based, by first mention
    QList<QByteArray> labels;
    for (const QByteArray& label : store.vertices) {
        if (numbers.contains(label))
            continue;
        if (label.contains('\r') || label.contains('\n') || label.contains('\0')) {
            result.problem = QStringLiteral("Der Knotenname \"%1\" enthält einen Zeilenumbruch "
                                            "oder ein Nullzeichen und passt in keine Zeile.")
                                 .arg(displayText(label));
            return result;
        }
        labels.append(label);
        numbers.insert(label, labels.size());
    }
    if (labels.isEmpty()) {
        result.problem = QStringLiteral("Der Graph hat keine Knoten.");
        return result;
    }

    // The ends as the store's own split gives them, so that the file holds
    // exactly the edges every other part of the program sees.
    QByteArray edgeLines;
    qsizetype written = 0;
    PairKeys seen;
    for (const QByteArray& edge : store.edges) {
        const EdgeEnds ends = splitEdge(edge);
        const qsizetype a = numbers.value(ends.first, 0);
        const qsizetype b = numbers.value(ends.second, 0);
        if (a == 0 || b == 0 || !seen.insert(pairKey(quint64(a), quint64(b)))) {
            ++result.edgesLeftOut;
            continue;
        }
        edgeLines += "e " + QByteArray::number(a) + ' ' + QByteArray::number(b) + '\n';
        ++written;
    }

    QByteArray& out = result.bytes;
    out += "c Graph aus Mandorin\n";
    out += "p edge " + QByteArray::number(labels.size()) + ' ' + QByteArray::number(written) + '\n';
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QByteArray number = QByteArray::number(i + 1);
        if (labels[i] != number)
            out += kNamePrefix + number + ": " + labels[i] + '\n';
    }
    out += edgeLines;
    return result;
}

DimacsSaving saveDimacsFile(const QString& fileName, const GraphStore& store) {
    DimacsSaving result;
    const DimacsText text = dimacsText(store);
    if (!text.problem.isEmpty()) {
        result.error = QStringLiteral("Die Datei %1 wurde nicht geschrieben: %2%3")
                           .arg(FileTexts::quotedName(fileName), text.problem,
                                FileTexts::folderLine(fileName));
        return result;
    }
    if (!writeFileAtomically(fileName, text.bytes)) {
        result.error = FileTexts::cannotWrite(fileName);
        return result;
    }
    result.saved = true;
    if (text.edgesLeftOut == 1)
        result.note = QStringLiteral("1 Kante wurde nicht gespeichert: Sie wiederholt eine Kante "
                                     "oder verbindet nicht zwei Knoten.");
    else if (text.edgesLeftOut > 1)
        result.note = QStringLiteral("%1 Kanten wurden nicht gespeichert: Sie wiederholen eine "
                                     "Kante oder verbinden nicht zwei Knoten.")
                          .arg(text.edgesLeftOut);
    return result;
}
