#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Formulas in conjunctive normal form as students type them: clauses of up to
// three literals joined by "∧" (or "&"), literals by "∨" (or "|"), a literal
// negated by "¬", "!", "-" or "~". Variable names are letters and digits,
// beginning with a letter, and tell capitals from small letters.

inline constexpr int kMostLiteralsPerClause = 3;
inline constexpr int kMostClauses = 8;

struct Literal {
    QString variable;
    bool negated = false;
    bool operator==(const Literal&) const = default;
};

// A literal repeated within a clause counts once.
using Clause = QList<Literal>;

struct Formula {
    QList<Clause> clauses;
    bool operator==(const Formula&) const = default;
};

struct FormulaError {
    int position = 0; // of the first wrong character, counted from 1
    QString message;  // the whole German message, position included
};

struct ParsedFormula {
    Formula formula;
    // Set when the text is no formula; formula is then empty.
    std::optional<FormulaError> error;
};

ParsedFormula parseFormula(const QString& text);

// "¬b"; "a ∨ ¬b ∨ c"; "(a ∨ ¬b ∨ c) ∧ (¬a ∨ b)".
QString literalText(const Literal& literal);
QString clauseText(const Clause& clause);
QString formulaText(const Formula& formula);
// "K1", "K2", ... for clause 0, 1, ...
QString clauseName(int clause);
// The variables in the order they first appear.
QStringList variablesOf(const Formula& formula);

// The formulas offered as examples: one that some assignment satisfies, one
// that none does, with a small part that already cannot be satisfied.
extern const QString kSatisfiableExample;
extern const QString kUnsatisfiableExample;
