#include "container/guid_key.h"

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QSet>

using namespace ks;

namespace {

// A source whose every step can be made to fail, with a fixed fallback record.
class ScriptedGuidSource : public GuidSource {
public:
    long createStatus = 0;
    bool textFails = false;
    long fallbackStatus = 0;
    bool throws = false;
    GuidRecord fallbackRecord;

    long uuidCreate(GuidRecord& guid) override
    {
        if (throws)
            throw std::runtime_error("system failure");
        return createStatus ? createStatus : systemGuidSource().uuidCreate(guid);
    }
    std::optional<QString> uuidToString(const GuidRecord& guid) override
    {
        if (textFails)
            return std::nullopt;
        return systemGuidSource().uuidToString(guid);
    }
    long coCreateGuid(GuidRecord& guid) override
    {
        guid = fallbackRecord;
        return fallbackStatus;
    }
};

class GuidKeyTest : public ::testing::Test {
protected:
    void SetUp() override { setGuidSource(&source); }
    void TearDown() override { setGuidSource(nullptr); }
    ScriptedGuidSource source;
};

const QRegularExpression kKeyShape(QStringLiteral("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"));

}

TEST(GuidKey, KeysAreBracedUpperCaseAndNeverRepeat)
{
    QSet<QString> seen;
    for (int i = 0; i < 500; ++i) {
        const QString key = GetGUID();
        ASSERT_EQ(key.size(), 38);
        EXPECT_TRUE(kKeyShape.match(key).hasMatch()) << key.toStdString();
        for (int hyphen : {10, 15, 20, 25})
            EXPECT_EQ(key.at(hyphen - 1), QLatin1Char('-'));
        EXPECT_FALSE(seen.contains(key));
        seen.insert(key);
    }
}

TEST_F(GuidKeyTest, FallbackPadsEveryGroupAndMatchesTheSystemShape)
{
    source.createStatus = 1722; // any status but 0 takes the fallback
    source.fallbackRecord = {0xABC, 0x1, 0xFFFF, {0x0, 0xF, 0x10, 0x1, 0xFF, 0x2, 0x3, 0x4}};
    const QString key = clsGUID().CreateGUID();
    EXPECT_EQ(key, "{00000ABC-0001-FFFF-000F-1001FF020304}");
    EXPECT_TRUE(kKeyShape.match(key).hasMatch());
}

TEST_F(GuidKeyTest, FailuresGiveTheDocumentedTexts)
{
    source.textFails = true;
    EXPECT_EQ(clsGUID().CreateGUID(), QString()) << "no fallback after a failed conversion";

    source.textFails = false;
    source.createStatus = 1;
    source.fallbackStatus = -2147467259;
    EXPECT_EQ(clsGUID().CreateGUID(), QLatin1Char('{') + QString(36, QLatin1Char(' ')) + QLatin1Char('}'));

    source.throws = true;
    EXPECT_EQ(clsGUID().CreateGUID(), QString());
    EXPECT_EQ(GetGUID(), QString()) << "caught inside, nothing reaches GetGUID";
}

TEST(GuidKey, TextOfARecordIsAlways36Characters)
{
    EXPECT_EQ(guidText({}), "00000000-0000-0000-0000-000000000000");
    EXPECT_EQ(guidText({0xFFFFFFFF, 0xFFFF, 0xFFFF, {255, 255, 255, 255, 255, 255, 255, 255}}),
              "FFFFFFFF-FFFF-FFFF-FFFF-FFFFFFFFFFFF");
}
