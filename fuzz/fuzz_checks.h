#pragma once

#include "graph/graph_store.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

// The checks behind the fuzz targets, shared with the regression test that
// replays the inputs the fuzzer once broke. Each check returns an empty text
// when every invariant holds, otherwise a description of the first one that
// broke. Memory faults are left to the sanitizers.

// Import input: the vertex file's bytes, one 0xFF byte, the edge file's bytes.
// Without a 0xFF byte the whole input is the vertex file and the edge file is
// empty. The whole input also goes through the bitmap truncation test of the
// picture step. Both files go through the text list load, from memory and
// from a file, the emptiness test of the import with the full counts and,
// when it fails, the fallback to sample graph 1. A small imported graph then
// goes through the graph checks as well.
QByteArray CheckImportInput(const QByteArray& data);

// Graph file input: one byte choosing the reader (even: DIMACS, odd: edge
// list), then the file's bytes. A refusal must name the file and a line of
// it and leave the graph empty; a graph read must have distinct labels, edges
// between two of them without repeats and no line break in a label, and must
// come back unchanged through the DIMACS writer and reader. A small graph is
// then laid out (inside the picture, the same twice, circles apart on the
// ring, legible labels clear of each other) and goes through the graph checks.
QByteArray CheckFormatInput(const QByteArray& data);

// Graph input, read by GraphFromBytes, through the graph checks.
QByteArray CheckGraphInput(const QByteArray& data);

// A graph of at most 64 vertices and 400 edges built from bytes (missing
// bytes read as 0):
//   4 bytes    seed of the random walk, little endian
//   1 byte     vertex count n = byte % 65
//   n times    label length = byte % 8, then that many label bytes
//   2 bytes    edge count = (little endian) % 401; the list ends early when
//              the bytes run out
//   per edge   kind byte, by kind % 8:
//              0-4  two index bytes i, j: label(i) "-" label(j)
//              5    one index byte i: the loop label(i) "-" label(i)
//              6    one index byte i: label(i) without a dash
//              7    length = byte % 16, then the edge text's raw bytes
// label(i) is the label of vertex i % (n + 2); the two indices past the last
// vertex give labels that are no vertex ("~0", "~1").
GraphStore GraphFromBytes(const QByteArray& data, std::uint32_t& seed);

// The graph as "Berechnen!" treats it (isolated vertices removed, greedy
// search), the clique list operations and the decision answer on its result,
// the exact analysis, and a walk of 1,000 steps seeded with seed.
QByteArray CheckGraph(const GraphStore& graph, std::uint32_t seed);

// The body of a fuzz target: runs check on the input and aborts with the
// description when an invariant broke.
int RunFuzzCheck(QByteArray (*check)(const QByteArray&), const std::uint8_t* data,
                 std::size_t size);
