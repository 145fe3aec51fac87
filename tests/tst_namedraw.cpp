// The draw: from a value r to a slot and a name, its failures, and the
// generator that supplies r.

#include "names/namegenerator.h"
#include "names/randomsource.h"
#include "names/runtimeerror.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

using hearthvale::NameCount;
using hearthvale::NameGenerator;
using hearthvale::RandomSource;
using hearthvale::RuntimeError;

namespace {

const float largestBelowOne = std::nextafter(1.0f, 0.0f);

std::vector<float> draws(RandomSource &source, int length)
{
    std::vector<float> values(static_cast<std::size_t>(length));
    for (float &value : values)
        value = source.next();
    return values;
}

std::vector<float> sequence(float seed, int length)
{
    RandomSource source;
    source.seed(seed);
    return draws(source, length);
}

// Hands out the values it was given, in order, and no more.
class ScriptedSource : public RandomSource
{
public:
    explicit ScriptedSource(std::vector<float> values)
        : m_values(std::move(values))
    {
    }
    float next() override { return m_values.at(m_next++); }

private:
    std::vector<float> m_values;
    std::size_t m_next = 0;
};

} // namespace

class TestNameDraw : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_table.LoadNames(); }

    void valueToName_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("entry");
        QTest::newRow("r = 0") << 0.0f << 0 << QStringLiteral("Huntsville");
        QTest::newRow("r just under 1/1001") << std::nextafter(1.0f / 1001, 0.0f) << 0 << QStringLiteral("Huntsville");
        QTest::newRow("r = 149.5/1001") << 149.5f / 1001 << 149 << QStringLiteral("Honolulu ");
        QTest::newRow("r = 339.5/1001") << 339.5f / 1001 << 339 << QStringLiteral("Bell Island Hot Springs");
        QTest::newRow("r = 0.5") << 0.5f << 500 << QStringLiteral("Sedonadale");
        QTest::newRow("largest float below 1") << largestBelowOne << 1000 << QStringLiteral("Abbott");
    }

    void valueToName()
    {
        QFETCH(float, r);
        QFETCH(int, index);
        QFETCH(QString, entry);
        QCOMPARE(m_table.drawFrom(r), entry);
        QCOMPARE(m_table.PickedIndex(), index);
    }

    // Values outside [0, 1) cannot come from the generator, but if one did,
    // the draw must report it rather than read past the table.
    void outsideTheTable_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("pickedAfter");
        QTest::newRow("r = 1") << 1.0f << int(RuntimeError::SubscriptOutOfRange) << 1001;
        QTest::newRow("r = -0.0001") << -0.0001f << int(RuntimeError::SubscriptOutOfRange) << -1;
        QTest::newRow("r = 32.7") << 32.7f << int(RuntimeError::SubscriptOutOfRange) << 32732;
        QTest::newRow("r = 33") << 33.0f << int(RuntimeError::Overflow) << 7;
        QTest::newRow("r = -33") << -33.0f << int(RuntimeError::Overflow) << 7;
        QTest::newRow("r = infinity") << std::numeric_limits<float>::infinity() << int(RuntimeError::Overflow) << 7;
        QTest::newRow("r = NaN") << std::numeric_limits<float>::quiet_NaN() << int(RuntimeError::Overflow) << 7;
    }

    void outsideTheTable()
    {
        QFETCH(float, r);
        QFETCH(int, code);
        QFETCH(int, pickedAfter);
        m_table.drawFrom(7.5f / 1001); // a known slot before the failing draw
        try {
            m_table.drawFrom(r);
            QFAIL("no error raised");
        } catch (const RuntimeError &error) {
            QCOMPARE(error.code(), code);
            QVERIFY(!error.description().isEmpty());
        }
        // The slot is stored before the bounds check, so only an overflow keeps the old one.
        QCOMPARE(m_table.PickedIndex(), pickedAfter);
    }

    void reseedingRestartsSequence_data()
    {
        QTest::addColumn<float>("seed");
        QTest::newRow("midnight") << 0.0f;
        QTest::newRow("noon and a half second") << 43200.5f;
        QTest::newRow("last moment of the day") << 86399.99f;
    }

    // Seeding again with the same value starts the same run over, wherever
    // the generator stood; a seed that changed nothing would go on instead.
    void reseedingRestartsSequence()
    {
        QFETCH(float, seed);
        RandomSource source;
        source.seed(seed);
        const std::vector<float> first = draws(source, 1000);
        source.seed(seed);
        QCOMPARE(draws(source, 1000), first);
        QCOMPARE(sequence(seed, 1000), first);
    }

    // A fraction of a second apart is enough for another run of names.
    void differentSeedsDiffer_data()
    {
        QTest::addColumn<float>("first");
        QTest::addColumn<float>("second");
        QTest::newRow("0 and 1 s") << 0.0f << 1.0f;
        QTest::newRow("4 ms apart at noon") << 43200.0f << 43200.004f; // a float resolves ~4 ms there
        QTest::newRow("next float") << 43200.5f << std::nextafter(43200.5f, 86400.0f);
    }

    void differentSeedsDiffer()
    {
        QFETCH(float, first);
        QFETCH(float, second);
        QVERIFY(sequence(first, 100) != sequence(second, 100));
    }

    // Each press takes exactly one value from the generator, the next one.
    void eachDrawTakesTheNextValue()
    {
        ScriptedSource source({149.5f / 1001, 0.0f, largestBelowOne, 339.5f / 1001});
        NameGenerator generator(source);
        generator.LoadNames();
        for (const char *name : {"Honolulu ", "Huntsville", "Abbott", "Bell Island Hot Springs"})
            QCOMPARE(generator.NameDraw(), QString::fromLatin1(name));
    }

    // A million draws from one seed: every slot in the table comes up, the
    // counts pass a chi-square test, and the same slot sometimes comes up
    // twice in a row (no exclusion of the previous name).
    void evenOverAMillionDraws()
    {
        constexpr int drawCount = 1'000'000;
        RandomSource source;
        source.seed(30000.25f);
        NameGenerator generator(source);
        generator.LoadNames();
        std::vector<int> counts(NameCount, 0);
        int repeats = 0;
        int previous = -1;
        for (int i = 0; i < drawCount; ++i) {
            generator.NameDraw();
            const int slot = generator.PickedIndex();
            QVERIFY(slot >= 0 && slot < NameCount);
            ++counts[static_cast<std::size_t>(slot)];
            repeats += slot == previous;
            previous = slot;
        }
        const double expected = double(drawCount) / NameCount;
        double chiSquare = 0;
        for (int count : counts) {
            QVERIFY(count > 0);
            chiSquare += (count - expected) * (count - expected) / expected;
        }
        // 1000 degrees of freedom; two-sided bounds at a significance of 0.001.
        QVERIFY2(chiSquare > 859 && chiSquare < 1154, qPrintable(QString::number(chiSquare)));
        QVERIFY(repeats > 0);
    }

    // Seconds since midnight with the fraction kept, so that the seed moves
    // from one moment to the next and not once a second. One reading may
    // fall on a whole second by chance; twenty a few milliseconds apart
    // cannot all do so.
    void timeOfDayKeepsFractionOfSecond()
    {
        bool fraction = false;
        for (int reading = 0; reading < 20 && !fraction; ++reading) {
            const float now = hearthvale::timeOfDaySeconds();
            QVERIFY2(now >= 0.0f && now < 86400.0f, qPrintable(QString::number(now)));
            fraction = now != std::floor(now);
            QTest::qSleep(7);
        }
        QVERIFY(fraction);
    }

private:
    RandomSource m_source;
    NameGenerator m_table{m_source};
};

QTEST_GUILESS_MAIN(TestNameDraw)
#include "tst_namedraw.moc"
