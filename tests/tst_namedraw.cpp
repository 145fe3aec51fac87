// The draw: from a value r to a slot and a name, its failures, and the
// generator that supplies r.

#include "names/namegenerator.h"
#include "names/randomsource.h"
#include "names/runtimeerror.h"

#include <QTest>
#include <QTime>

#include <cmath>
#include <limits>
#include <vector>

using hearthvale::NameCount;
using hearthvale::NameGenerator;
using hearthvale::RandomSource;
using hearthvale::RuntimeError;

namespace {

const float largestBelowOne = std::nextafter(1.0f, 0.0f);

std::vector<float> sequence(float seed, int length)
{
    RandomSource source;
    source.seed(seed);
    std::vector<float> values(static_cast<std::size_t>(length));
    for (float &value : values)
        value = source.next();
    return values;
}

} // namespace

class TestNameDraw : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_table.LoadNames();
    }

    void valueToName_data()
    {
        QTest::addColumn<float>("r");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("entry");
        QTest::newRow("r = 0") << 0.0f << 0 << QStringLiteral("Huntsville");
        QTest::newRow("r just under 1/1001") << std::nextafter(1.0f / 1001, 0.0f) << 0 << QStringLiteral("Huntsville");
        QTest::newRow("r = 149.5/1001") << 149.5f / 1001 << 149 << QStringLiteral("Honolulu ");
        QTest::newRow("r = 339.5/1001") << 339.5f / 1001 << 339 << QStringLiteral("Bell Island Hot Springs");
        QTest::newRow("r = 0.5") << 0.5f << 500 << m_table.NeighborhoodNames()[500];
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

    void drawBeforeLoadIsEmpty()
    {
        RandomSource source;
        source.seed(1.0f);
        NameGenerator unloaded(source);
        QCOMPARE(unloaded.NameDraw(), QString());
        QCOMPARE(unloaded.drawFrom(largestBelowOne), QString());
    }

    void sameSeedSameSequence_data()
    {
        QTest::addColumn<float>("seed");
        QTest::newRow("midnight") << 0.0f;
        QTest::newRow("noon and a half second") << 43200.5f;
        QTest::newRow("last moment of the day") << 86399.99f;
    }

    void sameSeedSameSequence()
    {
        QFETCH(float, seed);
        QCOMPARE(sequence(seed, 1000), sequence(seed, 1000));
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

    void drawFollowsGenerator()
    {
        RandomSource source;
        source.seed(12345.678f);
        NameGenerator generator(source);
        generator.LoadNames();
        const std::vector<float> expected = sequence(12345.678f, 200);
        for (float r : expected) {
            const QString name = generator.NameDraw();
            QCOMPARE(generator.PickedIndex(), static_cast<int>(std::floor(double(r) * NameCount)));
            QCOMPARE(name, generator.NeighborhoodNames()[generator.PickedIndex()]);
        }
    }

    // A million draws from one seed: every value in [0, 1), every slot comes
    // up, the counts pass a chi-square test, and the same slot sometimes comes
    // up twice in a row (no exclusion of the previous name).
    void evenOverAMillionDraws()
    {
        constexpr int draws = 1'000'000;
        RandomSource source;
        source.seed(30000.25f);
        NameGenerator generator(source);
        generator.LoadNames();
        std::vector<int> counts(NameCount, 0);
        int repeats = 0;
        int previous = -1;
        for (int i = 0; i < draws; ++i) {
            generator.NameDraw();
            const int slot = generator.PickedIndex();
            QVERIFY(slot >= 0 && slot < NameCount);
            ++counts[static_cast<std::size_t>(slot)];
            repeats += slot == previous;
            previous = slot;
        }
        const double expected = double(draws) / NameCount;
        double chiSquare = 0;
        for (int count : counts) {
            QVERIFY(count > 0);
            chiSquare += (count - expected) * (count - expected) / expected;
        }
        // 1000 degrees of freedom; two-sided bounds at a significance of 0.001.
        QVERIFY2(chiSquare > 859 && chiSquare < 1154, qPrintable(QString::number(chiSquare)));
        QVERIFY(repeats > 0);

        RandomSource raw;
        raw.seed(30000.25f);
        for (int i = 0; i < draws; ++i) {
            const float r = raw.next();
            QVERIFY(r >= 0.0f && r < 1.0f);
        }
    }

    void timeOfDay()
    {
        const float before = static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
        const float now = hearthvale::timeOfDaySeconds();
        QVERIFY(now >= 0.0f && now < 86400.0f);
        // Allow for midnight passing between the two readings.
        QVERIFY(now >= before || before - now > 86000.0f);
    }

private:
    RandomSource m_source;
    NameGenerator m_table{m_source};
};

QTEST_GUILESS_MAIN(TestNameDraw)
#include "tst_namedraw.moc"
