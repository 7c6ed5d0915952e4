#pragma once
// Helpers for the presentation tests: JPEG files, a deck built as the report export
// builds one, and a written package unzipped into its parts.
#include "platform/slides/errors.h"
#include "platform/slides/presentation.h"
#include "tests/support/temp_dir.h"

#include <functional>
#include <map>
#include <pugixml.hpp>
#include <string>

namespace ks::slides::test {

// The number of the RuntimeError body raises, 0 when it raises none.
int errorOf(const std::function<void()>& body);

// A JPEG of the given pixel size, written into dir.
std::string writeJpeg(const ks::test::TempDir& dir, const std::string& name, int width, int height);

// A title slide and one text-and-chart slide per picture, as the export makes them.
void buildReportDeck(Presentation& deck, const std::vector<std::string>& pictures);

// The program folder's design template, copied into dir.
std::string programTemplate(const ks::test::TempDir& dir);

struct Unzipped {
    std::map<std::string, std::string> parts;  // entry name -> bytes
    bool has(const std::string& name) const { return parts.count(name) != 0; }
    const std::string& at(const std::string& name) const { return parts.at(name); }
    // Parses a part; fails the test when it is not well-formed.
    pugi::xml_document xml(const std::string& name) const;
};

Unzipped unzip(const std::string& path);
// Writes a copy of the zip file at from to to, with the named entries replaced.
void rezip(const std::string& from, const std::string& to, const std::map<std::string, std::string>& replaced);

}
