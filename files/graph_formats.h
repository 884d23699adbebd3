#pragma once

#include "graph/graph_store.h"
#include "graph/progress.h"

#include <QByteArray>
#include <QString>

// Graph files of other programs: DIMACS graph files and plain edge lists. Both
// are read into the store's own form (labels as raw bytes, edges as "a-b"), so
// that every other part of the program works on them unchanged. Reading never
// touches the current graph: it returns a result that the caller applies.

enum class GraphFileFormat { Unknown, Dimacs, EdgeList };

// By the ending of the name, ignoring case: ".clq", ".col" and ".dimacs" are
// DIMACS files, ".txt", ".edges" and ".csv" edge lists.
GraphFileFormat graphFileFormat(const QString& fileName);

// File dialog filters ("description|pattern").
inline const QString kGraphFileFilter =
    QStringLiteral("Graph-Dateien (DIMACS, Kantenliste)|*.clq *.col *.dimacs *.txt *.edges *.csv");
inline const QString kDimacsFileFilter = QStringLiteral("DIMACS-Datei|*.clq");

// More vertices than this are refused: a DIMACS header of a few bytes could
// otherwise ask for billions of labels.
inline constexpr qsizetype kMaxGraphFileVertices = 1'000'000;

// Files of at least this size report their progress (about 100,000 lines).
inline constexpr qsizetype kGraphFileProgressBytes = 1 << 20;

enum class GraphFileProblem {
    None,
    CannotRead,       // missing, a folder or unreadable
    TooLarge,         // larger than any file Mandorin reads (kLargestReadableFile)
    Empty,            // no byte at all
    UnknownFormat,    // the name's ending is none of the known ones
    Binary,           // a NUL byte or another control character: no text file
    MalformedLine,    // a line that fits none of the format's line kinds, or a line over 1 MB
    MissingHeader,    // DIMACS: an edge before the "p" line, or no "p" line at all
    RepeatedHeader,   // DIMACS: a second "p" line
    VertexOutOfRange, // DIMACS: a vertex number outside 1..N
    CountMismatch,    // DIMACS: more or fewer edge lines than the "p" line gives
    TooManyVertices,  // more than kMaxGraphFileVertices
    NoVertices,       // the file names no vertex at all
    NameClash,        // DIMACS: a vertex name given twice, or to two vertices
    DashedEnds,       // both ends of an edge contain "-", which no edge text can hold
    EdgeTextAlone,    // edge list: "a-b" alone on a line, the store's own edge form
};

// What reading a graph file gave: the graph, or why there is none.
struct OpenedGraph {
    GraphStore graph; // counts refreshed; empty when the file was refused
    GraphFileProblem problem = GraphFileProblem::None;
    // 1-based number of the first bad line (for a binary file the line of the
    // first control character); 0 when no line is to blame.
    qsizetype line = 0;
    QString message; // German, names the file (and the line); empty when read

    bool ok() const { return problem == GraphFileProblem::None; }
};

// Reads the file in the format its name gives, in pieces: a file that turns
// out bad costs no more memory than the graph read up to there. progress
// (optional) is shown for files of at least kGraphFileProgressBytes.
OpenedGraph openGraphFile(const QString& fileName, ProgressSink* progress = nullptr);

// The readers on a file's bytes; fileName only names the file in messages.
//
// DIMACS: lines "c ..." are comments, one line "p edge N M" (or "p col N M")
// gives N vertices, labelled "1" to "N", and M edge lines "e u v" with u and
// v in 1..N. A comment "c Knoten i: name" (as saveDimacsFile writes it) names
// vertex i instead.
OpenedGraph readDimacs(const QByteArray& bytes, const QString& fileName,
                       ProgressSink* progress = nullptr);
// Edge lists: one or two labels per line, separated by whitespace, a comma or
// a semicolon; a field starting with "#" or "%" starts a comment that runs to
// the end of the line. Two labels are an edge, one alone is a vertex.
OpenedGraph readEdgeList(const QByteArray& bytes, const QString& fileName,
                         ProgressSink* progress = nullptr);

// In both readers vertices are kept in order of first mention and an edge that
// repeats an earlier one (in either direction) is dropped. An edge text puts
// the end without "-" first, so that the store's split at the first "-" finds
// both ends again.

// The graph as a DIMACS file: the distinct labels numbered 1.. in store order,
// a comment "c Knoten i: label" for every label that is not its own number,
// then the edges. Left out are edges whose ends are not both vertices and
// repeats of an edge; reading the file back gives the same store when there is
// none of them and no label repeats.
struct DimacsText {
    QByteArray bytes; // empty when refused
    QString problem;  // German, why the graph cannot be written
    qsizetype edgesLeftOut = 0;
};
DimacsText dimacsText(const GraphStore& store);

struct DimacsSaving {
    bool saved = false;
    QString error; // German, names the file; empty when saved
    QString note;  // German, when saved but edges were left out; else empty
};
// Writes the DIMACS file in one step (the old file stays as it was on failure).
DimacsSaving saveDimacsFile(const QString& fileName, const GraphStore& store);
