#include "tests/platform/slides/deck_fixture.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <zip.h>

namespace ks::slides::test {

int errorOf(const std::function<void()>& body)
{
    try {
        body();
    } catch (const RuntimeError& e) {
        EXPECT_FALSE(e.description().empty());
        return e.number();
    }
    return 0;
}

std::string writeJpeg(const ks::test::TempDir& dir, const std::string& name, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(width / 8, height / 3, width / 4, height / 2, QColor(46, 109, 164));
    painter.fillRect(width / 2, height / 5, width / 4, height * 2 / 3, QColor(63, 167, 150));
    painter.end();
    std::string path = (dir.path() / name).string();
    EXPECT_TRUE(image.save(QString::fromStdString(path), "JPEG"));
    return path;
}

void buildReportDeck(Presentation& deck, const std::vector<std::string>& pictures)
{
    Slide& title = deck.addSlide(1, Layout::Title);
    title.shape(1).setText("Scorecard Results");
    title.shape(2).setText("Period Jan-04-Dec-04");
    int s = 1;
    for (const auto& picture : pictures) {
        ++s;
        Slide& slide = deck.addSlide(s, Layout::TextAndChart);
        slide.shape(1).setText("'KPI " + std::to_string(s - 1) + "'");
        slide.shape(2).setText("Review of 'KPI " + std::to_string(s - 1) +
                               "' for the period 'Jan-04-Dec-04'\rTotal achieved : 1,250\r% of Target : 96%");
        Box chart = slide.placeholder(3).box();
        slide.deletePlaceholder(3);
        slide.addPicture(picture, chart.left, chart.top + 20, chart.width, chart.height);
    }
}

std::string programTemplate(const ks::test::TempDir& dir)
{
    return dir.copyProgramFile("Summary of Results.pot").string();
}

pugi::xml_document Unzipped::xml(const std::string& name) const
{
    pugi::xml_document doc;
    auto found = parts.find(name);
    EXPECT_NE(found, parts.end()) << name;
    if (found != parts.end()) {
        EXPECT_TRUE(doc.load_buffer(found->second.data(), found->second.size())) << name << " is not well-formed";
    }
    return doc;
}

Unzipped unzip(const std::string& path)
{
    Unzipped out;
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    EXPECT_NE(archive, nullptr) << path << " is not a zip file";
    if (!archive)
        return out;
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i) {
        zip_stat_t stat;
        zip_stat_index(archive, static_cast<zip_uint64_t>(i), 0, &stat);
        std::string bytes(static_cast<std::size_t>(stat.size), '\0');
        zip_file_t* file = zip_fopen_index(archive, static_cast<zip_uint64_t>(i), 0);
        EXPECT_EQ(zip_fread(file, bytes.data(), stat.size), static_cast<zip_int64_t>(stat.size));
        zip_fclose(file);
        out.parts[stat.name] = bytes;
    }
    zip_discard(archive);
    return out;
}

void rezip(const std::string& from, const std::string& to, const std::map<std::string, std::string>& replaced)
{
    Unzipped parts = unzip(from);
    for (const auto& [name, bytes] : replaced)
        parts.parts[name] = bytes;
    int error = 0;
    zip_t* archive = zip_open(to.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    ASSERT_NE(archive, nullptr);
    for (const auto& [name, bytes] : parts.parts)
        zip_file_add(archive, name.c_str(), zip_source_buffer(archive, bytes.data(), bytes.size(), 0), 0);
    ASSERT_EQ(zip_close(archive), 0);
}

}
