#include "container/cls_mru.h"

#include "common/c_registry.h"
#include "tests/container/mru_fixture.h"
#include "tests/container/raised.h"
#include "tests/support/qt_print.h"

#include <QCoreApplication>

#include <fstream>
#include <functional>
#include <sstream>

using namespace ks;

namespace {

class MruTest : public test::ConfigHomeTest {
protected:
    void SetUp() override
    {
        ConfigHomeTest::SetUp();
        App::setTitle(QStringLiteral("Resources"));
        QCoreApplication::setApplicationName(QStringLiteral("container"));
    }

    static cRegistry mruValue(const QString& name)
    {
        cRegistry reg;
        reg.setClassKey(qint32(0x80000001));
        reg.setSectionKey(QStringLiteral("SOFTWARE\\KWEL\\Resources\\MRU"));
        reg.setValueKey(name);
        reg.setValueType(1);
        return reg;
    }
    static QString stored(const QString& name) { return mruValue(name).Value().toString(); }
    static void store(const QString& name, const QString& text) { mruValue(name).setValue(text); }
    static std::string bytesOf(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        return all.str();
    }
    // Fills all 26 slots, "a" first, so "a" ends as the least recently used.
    void fillEverySlot()
    {
        for (int i = 0; i < clsMRU::kSlots; ++i)
            mru.AddFile(file("full/f" + std::to_string(i) + ".txt"));
    }

    clsMRU mru;
};

}

TEST_F(MruTest, FirstFileGoesUnderAAndPositionsCountFromTheMostRecent)
{
    EXPECT_EQ(clsMRU::section(), "SOFTWARE\\KWEL\\Resources\\MRU");
    const QString first = file("Docs/Plan.doc"), second = file("Docs/Budget.xls");
    mru.AddFile(first);
    EXPECT_EQ(stored("a"), first);
    EXPECT_EQ(stored("Order"), "a");
    mru.AddFile(second);
    EXPECT_EQ(stored("Order"), "ba");
    EXPECT_EQ(mru.File(1), second);
    EXPECT_EQ(mru.File(2), first);
    EXPECT_EQ(mru.File(3), QString());
    EXPECT_EQ(mru.File(27), QString());
    EXPECT_EQ(mru.File2("a"), first);
    EXPECT_EQ(mru.File2("q"), QString());
    EXPECT_EQ(test::errorOf([&] { mru.File(0); }), 5);
}

TEST_F(MruTest, AddingAStoredFileMovesItToTheFrontInItsNewCase)
{
    const QString plan = file("Plan.doc"), budget = file("Budget.xls"), notes = file("Notes.txt");
    mru.AddFile(plan);
    mru.AddFile(budget);
    mru.AddFile(notes);
    ASSERT_EQ(stored("Order"), "cba");
    mru.AddFile(plan);
    EXPECT_EQ(stored("Order"), "acb");
    EXPECT_EQ(stored("d"), QString()) << "no second slot for the same file";

    // A file no longer there is matched without regard to case and takes the new spelling.
    const QString gone = missing("Old/Report.DOC");
    mru.AddFile(gone);
    mru.AddFile(missing("old/report.doc"));
    EXPECT_EQ(stored("d"), missing("old/report.doc"));
    EXPECT_EQ(stored("Order"), "dacb");

    // Two existing files whose names differ in case only are two files here.
    const QString upper = file("Case/A.txt"), lower = file("Case/a.txt");
    mru.AddFile(upper);
    mru.AddFile(lower);
    EXPECT_EQ(stored("e"), upper);
    EXPECT_EQ(stored("f"), lower);
}

TEST_F(MruTest, TheLeastRecentlyUsedSlotGivesWayWhenAllAreTaken)
{
    fillEverySlot();
    ASSERT_EQ(stored("Order"), "zyxwvutsrqponmlkjihgfedcba");
    const QString newest = file("newest.txt");
    mru.AddFile(newest);
    EXPECT_EQ(stored("a"), newest);
    EXPECT_EQ(stored("Order"), "azyxwvutsrqponmlkjihgfedcb");
    EXPECT_EQ(mru.File(1), newest);
    EXPECT_EQ(mru.File(26), stored("b"));

    // An order shortened from outside: a slot no position reaches goes first.
    store("Order", "ab");
    const QString another = file("another.txt");
    mru.AddFile(another);
    EXPECT_EQ(stored("c"), another);
    EXPECT_EQ(stored("Order"), "cab");
}

TEST_F(MruTest, GetFilesClampsItsRangeAndSkipsMissingFiles)
{
    const QString kept = file("Kept.doc"), gone = file("Gone.doc"), last = file("Last.doc");
    mru.AddFile(kept);
    mru.AddFile(gone);
    mru.AddFile(last);
    std::filesystem::remove(gone.toStdString());

    EXPECT_TRUE(mru.GetFiles().isEmpty()) << "no lMax: nothing below position 0";
    qint32 max = 30, start = 0;
    EXPECT_EQ(mru.GetFiles(&max, &start), QStringList({last, kept}));
    EXPECT_EQ(max, 26);
    EXPECT_EQ(start, 1);
    EXPECT_EQ(mru.File(2), gone) << "a missing file stays in the registry";

    max = 3;
    start = 2;
    EXPECT_EQ(mru.GetFiles(&max, &start), QStringList()) << "position 3 is not below lMax";
    max = 4;
    EXPECT_EQ(mru.GetFiles(&max, &start), QStringList({kept}));

    store("Order", "cxba");
    max = 26;
    start = 1;
    EXPECT_EQ(mru.GetFiles(&max, &start), QStringList({last})) << "stops at the first empty position";
}

TEST_F(MruTest, TheListOutlivesTheStoreBeingClosed)
{
    const QString plan = file("Plan.doc");
    mru.AddFile(plan);
    reopenStore();
    EXPECT_TRUE(std::filesystem::exists(userStoreFile()));
    EXPECT_EQ(clsMRU().File(1), plan);
}

TEST_F(MruTest, ADamagedRegistryIsReportedByTheListAndLeftAsItWas)
{
    const QString plan = file("Plan.doc");
    mru.AddFile(plan);
    reopenStore();
    {
        std::fstream io(userStoreFile(), std::ios::binary | std::ios::in | std::ios::out);
        io.write("garbage, not a header", 21);
    }
    const std::string damaged = bytesOf(userStoreFile());
    // Every operation says why instead of reading the list as empty, once: at its first read.
    for (const auto& operation : std::vector<std::function<void()>>{
             [&] { mru.AddFile(file("Other.doc")); }, [&] { mru.File(1); }, [&] { mru.File2("a"); },
             [&] {
                 qint32 max = 26;
                 mru.GetFiles(&max);
             }}) {
        const RuntimeError e = test::raised(operation);
        EXPECT_EQ(e.number(), cRegistry::kStoreDamaged);
        EXPECT_NE(e.description().find("The list of recent files cannot be read: "), std::string::npos);
        EXPECT_NE(e.description().find(userStoreFile().string() + ": file is not a database"), std::string::npos)
            << e.description();
    }
    EXPECT_EQ(bytesOf(userStoreFile()), damaged);
}
