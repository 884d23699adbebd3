#include "formula.h"

const QString kSatisfiableExample = QStringLiteral("(a ∨ ¬b ∨ c) ∧ (¬a ∨ b) ∧ (b ∨ ¬c)");
const QString kUnsatisfiableExample =
    QStringLiteral("(a ∨ b ∨ c) ∧ (¬a ∨ b) ∧ (¬b ∨ c) ∧ (a) ∧ (¬c)");

namespace {

constexpr QChar kAnd = u'∧';
constexpr QChar kOr = u'∨';
constexpr QChar kNot = u'¬';

bool isAnd(QChar c) {
    return c == kAnd || c == u'&';
}
bool isOr(QChar c) {
    return c == kOr || c == u'|';
}
bool isNot(QChar c) {
    return c == kNot || c == u'!' || c == u'-' || c == u'~';
}
bool isSign(QChar c) {
    return isAnd(c) || isOr(c) || isNot(c) || c == u'(' || c == u')';
}
bool known(QChar c) {
    return isSign(c) || c.isLetterOrNumber() || c.isSpace();
}

// Thrown at the first wrong character; parseFormula turns it into the message.
struct Mistake {
    qsizetype at;
    QString what;
};

class FormulaParser {
public:
    explicit FormulaParser(const QString& text) : m_text(text) {}

    Formula formula() {
        Formula formula;
        skipSpaces();
        if (atEnd())
            throw Mistake{m_at, "Die Formel ist leer."};
        for (;;) {
            if (formula.clauses.size() == kMostClauses)
                throw Mistake{
                    m_at, QString("Eine Formel hat hier höchstens %1 Klauseln.").arg(kMostClauses)};
            formula.clauses.append(clause());
            skipSpaces();
            if (atEnd())
                return formula;
            if (!isAnd(here()))
                throw Mistake{m_at, afterClause()};
            ++m_at;
            skipSpaces();
            if (atEnd())
                throw Mistake{m_at, "Nach „∧“ fehlt eine Klausel."};
        }
    }

private:
    bool atEnd() const { return m_at >= m_text.size(); }
    QChar here() const { return m_text[m_at]; }
    void skipSpaces() {
        while (!atEnd() && here().isSpace())
            ++m_at;
    }

    // A clause in parentheses, or a lone disjunction, which "∧" ends.
    Clause clause() {
        const bool parenthesised = here() == u'(';
        if (parenthesised)
            ++m_at;
        Clause clause;
        int written = 0;
        for (;;) {
            skipSpaces();
            const qsizetype start = m_at;
            const Literal next = literal();
            if (++written > kMostLiteralsPerClause)
                throw Mistake{
                    start,
                    QString("Eine Klausel hat höchstens %1 Literale.").arg(kMostLiteralsPerClause)};
            if (!clause.contains(next))
                clause.append(next);
            skipSpaces();
            if (atEnd() || !isOr(here()))
                break;
            ++m_at;
        }
        if (parenthesised) {
            if (atEnd() || here() != u')')
                throw Mistake{m_at,
                              atEnd() || known(here()) ? QString("Hier fehlt „)“.") : unknown()};
            ++m_at;
        }
        return clause;
    }

    Literal literal() {
        Literal literal;
        if (!atEnd() && isNot(here())) {
            literal.negated = true;
            ++m_at;
            skipSpaces();
        }
        if (atEnd())
            throw Mistake{m_at, "Hier fehlt eine Variable."};
        if (here().isDigit())
            throw Mistake{m_at, "Ein Variablenname beginnt mit einem Buchstaben."};
        if (!here().isLetter())
            throw Mistake{m_at, isSign(here())
                                    ? QString("Hier fehlt eine Variable vor „%1“.").arg(here())
                                    : unknown()};
        const qsizetype start = m_at;
        while (!atEnd() && here().isLetterOrNumber())
            ++m_at;
        literal.variable = m_text.mid(start, m_at - start);
        return literal;
    }

    // What is wrong where a clause ended without "∧" or the end.
    QString afterClause() const {
        if (here() == u')')
            return "Zu dieser „)“ gehört keine „(“.";
        if (here() == u'(' || here().isLetterOrNumber() || isNot(here()))
            return "Zwischen zwei Klauseln fehlt „∧“.";
        if (isOr(here()))
            return "„∨“ verbindet nur Literale in einer Klausel; zwischen Klauseln steht „∧“.";
        return unknown();
    }

    QString unknown() const {
        return QString("Das Zeichen „%1“ gehört nicht in eine Formel.").arg(here());
    }

    const QString& m_text;
    qsizetype m_at = 0;
};

} // namespace

ParsedFormula parseFormula(const QString& text) {
    try {
        return {FormulaParser(text).formula(), std::nullopt};
    } catch (const Mistake& mistake) {
        const int position = int(mistake.at) + 1;
        return {Formula(),
                FormulaError{position,
                             QString("Fehler an Stelle %1: %2").arg(position).arg(mistake.what)}};
    }
}

QString literalText(const Literal& literal) {
    return literal.negated ? kNot + literal.variable : literal.variable;
}

QString clauseText(const Clause& clause) {
    QStringList literals;
    for (const Literal& literal : clause)
        literals.append(literalText(literal));
    return literals.join(QString(" ") + kOr + ' ');
}

QString formulaText(const Formula& formula) {
    QStringList clauses;
    for (const Clause& clause : formula.clauses)
        clauses.append('(' + clauseText(clause) + ')');
    return clauses.join(QString(" ") + kAnd + ' ');
}

QString clauseName(int clause) {
    return QString("K%1").arg(clause + 1);
}

QStringList variablesOf(const Formula& formula) {
    QStringList variables;
    for (const Clause& clause : formula.clauses)
        for (const Literal& literal : clause)
            if (!variables.contains(literal.variable))
                variables.append(literal.variable);
    return variables;
}
