#include "graph/random.h"

#include <QTest>

#include <cmath>
#include <vector>

namespace {

// Pearson's statistic of the counts against equal expectation.
double chiSquare(const std::vector<int>& counts) {
    double draws = 0;
    for (int count : counts)
        draws += count;
    const double expected = draws / double(counts.size());
    double sum = 0;
    for (int count : counts)
        sum += (count - expected) * (count - expected) / expected;
    return sum;
}

} // namespace

class TestRandom : public QObject {
    Q_OBJECT
private slots:
    void smallBoundsAreUniform_data();
    void smallBoundsAreUniform();
    void largeBoundHasNoBias();
    void resultsStayBelowTheBound_data();
    void resultsStayBelowTheBound();
    void seedsRepeatAndDiffer();
    void programGeneratorIsOneOfThese();
};

// Seeded, so each statistic is fixed. The limits are the 99.9 % points of the
// chi-square distribution: single draws, and pairs of consecutive draws,
// which catch a draw that depends on the one before.
void TestRandom::smallBoundsAreUniform_data() {
    QTest::addColumn<int>("bound");
    QTest::addColumn<double>("limit");
    QTest::addColumn<double>("pairLimit");
    QTest::newRow("2") << 2 << 10.83 << 16.27;
    QTest::newRow("3") << 3 << 13.82 << 26.12;
    QTest::newRow("6") << 6 << 20.52 << 66.62;
    QTest::newRow("14") << 14 << 34.53 << 279.1;
}

void TestRandom::smallBoundsAreUniform() {
    QFETCH(int, bound);
    QFETCH(double, limit);
    QFETCH(double, pairLimit);
    RandomGenerator random(42);
    std::vector<int> counts(static_cast<std::size_t>(bound), 0);
    std::vector<int> pairs(static_cast<std::size_t>(bound * bound), 0);
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t first = random.below(std::uint32_t(bound));
        const std::uint32_t second = random.below(std::uint32_t(bound));
        ++counts[first];
        ++counts[second];
        ++pairs[first * std::uint32_t(bound) + second];
    }
    QVERIFY2(chiSquare(counts) < limit, qPrintable(QString::number(chiSquare(counts))));
    QVERIFY2(chiSquare(pairs) < pairLimit, qPrintable(QString::number(chiSquare(pairs))));
}

// 3 * 2^29 is close enough to 2^32 to show the bias of the shortcuts: taking
// a 32-bit draw modulo the bound makes results below 2^30 three times as
// likely as the others (3/4 instead of 2/3 of all draws), and scaling it
// without rejecting makes every third result a third less likely.
void TestRandom::largeBoundHasNoBias() {
    const std::uint32_t bound = 3u << 29;
    RandomGenerator random(7);
    const int draws = 300000;
    std::vector<int> residues(3, 0);
    int low = 0;
    for (int i = 0; i < draws; ++i) {
        const std::uint32_t r = random.below(bound);
        QVERIFY(r < bound);
        ++residues[r % 3];
        low += r < (1u << 30);
    }
    QVERIFY2(chiSquare(residues) < 13.82, qPrintable(QString::number(chiSquare(residues))));
    // Two thirds, within four standard deviations.
    const double deviation = std::sqrt(draws * (2.0 / 3.0) * (1.0 / 3.0));
    QVERIFY2(std::abs(low - draws * 2.0 / 3.0) < 4 * deviation, qPrintable(QString::number(low)));
}

void TestRandom::resultsStayBelowTheBound_data() {
    QTest::addColumn<int>("bound");
    QTest::newRow("1") << 1;
    QTest::newRow("7") << 7;
    QTest::newRow("largest int") << 0x7fffffff;
}

// Every result below the bound, and the top of the range reached.
void TestRandom::resultsStayBelowTheBound() {
    QFETCH(int, bound);
    RandomGenerator random(3);
    std::uint32_t largest = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t r = random.below(std::uint32_t(bound));
        QVERIFY(r < std::uint32_t(bound));
        largest = std::max(largest, r);
    }
    QVERIFY(largest >= std::uint32_t(bound - 1) - std::uint32_t(bound) / 1000);
}

void TestRandom::seedsRepeatAndDiffer() {
    RandomGenerator a(2024);
    RandomGenerator b(2024);
    RandomGenerator c(2025);
    int same = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t x = a.next();
        QCOMPARE(b.next(), x);
        same += c.next() == x;
    }
    QCOMPARE(same, 0);
    a.reseed(2024);
    QCOMPARE(a, RandomGenerator(2024));
    QVERIFY(!(a == c));
}

// The walk and its tests draw through randomBelow and seedRandom.
void TestRandom::programGeneratorIsOneOfThese() {
    seedRandom(99);
    RandomGenerator same(99);
    for (int bound : {1, 2, 15, 1000, 0x7fffffff})
        for (int i = 0; i < 100; ++i)
            QCOMPARE(randomBelow(bound), int(same.below(std::uint32_t(bound))));
    QCOMPARE(randomEngine(), same);
}

QTEST_APPLESS_MAIN(TestRandom)
#include "tst_random.moc"
