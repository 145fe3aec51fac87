// The table as the program holds it after the fill: its telling rows and
// its shape, counted from the loaded strings rather than from the source.

#include "names/namegenerator.h"
#include "names/randomsource.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

using hearthvale::NameCount;
using hearthvale::NameGenerator;
using hearthvale::RandomSource;

namespace {

int wordCount(const QString &name)
{
    return static_cast<int>(name.split(QLatin1Char(' '), Qt::SkipEmptyParts).size());
}

} // namespace

class TestNameTable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { m_table.LoadNames(); }

    void tellingRows_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("entry");
        // clang-format off
        const std::pair<int, const char *> rows[] = {
            {0, "Huntsville"}, {1, "Athens"}, {2, "Norland"}, {3, "Monteark"}, {4, "Gadsdale"},
            {5, "King Junction"}, {6, "Pinechester"}, {7, "Huntsson"}, {8, "Green Shores"},
            {9, "Bethanyport"}, {10, "Stockdale Collins"}, {11, "Santadale Valley"},
            {149, "Honolulu "}, {198, "St. Louis"}, {225, "St. Albert"}, {230, "Burnaby "},
            {279, "Haldimand-Norfork"}, {280, "Ottawa-Carleton"}, {328, "Abbott"},
            {339, "Bell Island Hot Springs"}, {419, "Perryville"}, {506, "Perryville"},
            {838, "Perryville"}, {875, "Usquepaug "}, {903, "St. Hellen"}, {970, "Salem's Lot"},
            {985, "Yardville-Groveville"}, {989, "Bandera Falls"}, {990, "Bainville"},
            {991, "Arlington Heights"}, {992, "Arneckeville"}, {993, "Atlanta"}, {994, "Alvarado"},
            {995, "Alamo Heights"}, {996, "Aero Vista"}, {997, "Acme"}, {998, "Abington"},
            {999, "Abercrombie"}, {1000, "Abbott"},
        };
        // clang-format on
        for (const auto &[index, entry] : rows)
            QTest::addRow("%d %s", index, entry) << index << QString::fromLatin1(entry);
    }

    void tellingRows()
    {
        QFETCH(int, index);
        QFETCH(QString, entry);
        QCOMPARE(m_table.NeighborhoodNames()[index], entry);
    }

    // Duplicates stay where they stand; nothing collapses them.
    void repeatedNames_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<int>>("indexes");
        QTest::newRow("Perryville") << QStringLiteral("Perryville") << QList<int>{419, 506, 838};
        QTest::newRow("Abbott") << QStringLiteral("Abbott") << QList<int>{328, 1000};
    }

    void repeatedNames()
    {
        QFETCH(QString, entry);
        QFETCH(QList<int>, indexes);
        QList<int> found;
        for (int i = 0; i < NameCount; ++i) {
            if (m_table.NeighborhoodNames()[i] == entry)
                found.append(i);
        }
        QCOMPARE(found, indexes);
    }

    void duplicateCounts()
    {
        QHash<QString, int> seen;
        for (const QString &name : m_table.NeighborhoodNames())
            ++seen[name];
        QCOMPARE(seen.size(), 981);
        QHash<int, int> namesByCount;
        for (int count : std::as_const(seen))
            ++namesByCount[count];
        QCOMPARE(namesByCount.value(1), 962);
        QCOMPARE(namesByCount.value(2), 18);
        QCOMPARE(namesByCount.value(3), 1);
        QCOMPARE(namesByCount.size(), 3);
    }

    void shapeOfEntries()
    {
        static const QRegularExpression repertoire(QStringLiteral("^[A-Za-z .'-]+$"));
        int characters = 0;
        QHash<int, int> byWords;
        QList<int> hyphenated;
        QList<int> trailingSpace;
        QList<int> longest;
        QStringList shortest;
        for (int i = 0; i < NameCount; ++i) {
            const QString &name = m_table.NeighborhoodNames()[i];
            QVERIFY2(repertoire.match(name).hasMatch(), qPrintable(name));
            QVERIFY2(!name.startsWith(QLatin1Char(' ')), qPrintable(name));
            QVERIFY2(!name.contains(QStringLiteral("  ")), qPrintable(name));
            QVERIFY2(name.size() >= 4 && name.size() <= 23, qPrintable(name));
            characters += static_cast<int>(name.size());
            if (name.contains(QLatin1Char('-')))
                hyphenated.append(i);
            else
                ++byWords[wordCount(name)];
            if (name.endsWith(QLatin1Char(' ')))
                trailingSpace.append(i);
            if (name.size() == 23)
                longest.append(i);
            if (name.size() == 4)
                shortest.append(name);
        }
        QCOMPARE(characters, 10602);
        QCOMPARE(byWords.value(1), 589);
        QCOMPARE(byWords.value(2), 386);
        QCOMPARE(byWords.value(3), 22);
        QCOMPARE(byWords.value(4), 1);
        QCOMPARE(byWords.size(), 4);
        QCOMPARE(hyphenated, (QList<int>{279, 280, 985}));
        for (int i : hyphenated)
            QCOMPARE(wordCount(m_table.NeighborhoodNames()[i]), 1);
        QCOMPARE(trailingSpace, (QList<int>{149, 230, 875}));
        QCOMPARE(longest, QList<int>{339});
        QCOMPARE(wordCount(m_table.NeighborhoodNames()[339]), 4);
        shortest.sort();
        QCOMPARE(
            shortest,
            (QStringList{QStringLiteral("Acme"), QStringLiteral("Cary"), QStringLiteral("Gary"), QStringLiteral("Orem"),
                         QStringLiteral("Troy"), QStringLiteral("Yuma"), QStringLiteral("Zion")}));
    }

private:
    RandomSource m_source;
    NameGenerator m_table{m_source};
};

QTEST_GUILESS_MAIN(TestNameTable)
#include "tst_nametable.moc"
