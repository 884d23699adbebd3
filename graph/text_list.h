#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// An ordered list of 8-bit texts. Labels, edge texts and clique texts are kept
// as raw bytes so that files round-trip byte for byte.
class TextList {
public:
    TextList() = default;
    TextList(std::initializer_list<QByteArray> entries) : m_entries(entries) {}
    explicit TextList(QList<QByteArray> entries) : m_entries(std::move(entries)) {}

    qsizetype count() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    void append(const QByteArray& entry) { m_entries.append(entry); }
    void removeAt(qsizetype index) { m_entries.removeAt(index); }
    const QByteArray& at(qsizetype index) const { return m_entries.at(index); }
    const QByteArray& operator[](qsizetype index) const { return m_entries.at(index); }
    void put(qsizetype index, const QByteArray& entry) { m_entries[index] = entry; }
    const QByteArray& last() const { return m_entries.last(); }
    void clear() { m_entries.clear(); }

    // Whole-entry search that ignores letter case; -1 when absent.
    qsizetype indexOf(const QByteArray& entry) const;
    // Whole-entry search with exact comparison; -1 when absent.
    qsizetype indexOfExact(const QByteArray& entry) const { return m_entries.indexOf(entry); }

    const QList<QByteArray>& entries() const { return m_entries; }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }

    bool operator==(const TextList& other) const = default;

private:
    QList<QByteArray> m_entries;
};

// How a label is shown on screen: UTF-8 where it is valid UTF-8, else Latin-1.
QString displayText(const QByteArray& bytes);
