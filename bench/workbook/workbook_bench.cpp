// Workbook engine speed on a scorecard-sized book: full recalculation, save and load,
// beside HyperFormula recalculating the same cells (run with node from bench/).
#include "common/layout/scorecard_layout.h"
#include "platform/workbook/engine/number_format.h"
#include "tools/scorecard_files/scorecard_files.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace ks::workbook;

namespace {
double medianMs(int runs, const std::function<void()>& body)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        body();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double checksum(const Book& book)
{
    double sum = 0;
    for (const Sheet& sheet : book.data().sheets)
        sheet.forEachCell([&](int, int, const Cell& cell) {
            if (cell.value.isNumber())
                sum += cell.value.number;
        });
    return sum;
}

std::string jsonString(const std::string& s)
{
    std::string out = "\"";
    for (char ch : s) {
        if (ch == '"' || ch == '\\')
            out += '\\';
        if (static_cast<unsigned char>(ch) < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            out += buf;
            continue;
        }
        out += ch;
    }
    return out + "\"";
}

std::string exactNumberText(double n)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", n);
    return buf;
}

// HyperFormula reads a string cell as typed input: "2020" would become a number and "=x" a
// formula. A leading apostrophe keeps it the text our cell holds (the Setup sheet keeps years
// and decimals as texts that formulas read with VALUE).
std::string jsonText(const std::string& s) { return jsonString("'" + s); }

// {"sheets": {"Sheet1": [[cell, ...], ...], ...}}: numbers, texts, "=formula" or null.
// values: the cells' results instead of their formulas, for comparing cell by cell.
void writeJson(const Book& book, const std::string& path, bool values = false)
{
    const BookData& data = book.data();
    SheetNames names = data.sheetNames();
    std::ofstream out(path);
    out << "{\"sheets\":{";
    for (std::size_t s = 0; s < data.sheets.size(); ++s) {
        const Sheet& sheet = data.sheets[s];
        out << (s ? "," : "") << jsonString(sheet.name) << ":[";
        int lastColumn = sheet.lastColumn();
        for (int r = 1; r <= sheet.lastRow(); ++r) {
            out << (r > 1 ? "," : "") << "[";
            for (int c = 1; c <= lastColumn; ++c) {
                const Cell* cell = sheet.find(r, c);
                out << (c > 1 ? "," : "");
                if (cell && cell->formula && !values)
                    out << jsonString("=" + printFormula(*cell->formula, names));
                else if (cell && cell->value.isNumber())
                    out << (values ? exactNumberText(cell->value.number) : plainNumberText(cell->value.number));
                else if (cell && cell->value.isText())
                    out << jsonText(cell->value.text);
                else if (cell && values && cell->value.isError())
                    out << jsonString(errorText(cell->value.error));
                else
                    out << "null";
            }
            out << "]";
        }
        out << "]";
    }
    out << "}}\n";
}

int formulaCount(const Book& book)
{
    int count = 0;
    for (const Sheet& sheet : book.data().sheets)
        sheet.forEachCell([&](int, int, const Cell& cell) { count += cell.formula != nullptr; });
    return count;
}

bool runPeer(const std::string& json, const std::string& values, double& peerMs, double& peerChecksum)
{
    std::string benchDir = KS_BENCH_DIR;
    std::string root = benchDir + "/..";
    if (!std::filesystem::exists(root + "/node_modules/hyperformula") &&
        std::system(("sh '" + benchDir + "/install_hyperformula.sh'").c_str()) != 0)
        return false;
    std::string command = "node '" + benchDir + "/hyperformula_recalc.cjs' '" + json + "' 20 '" + values + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return false;
    char line[256] = {};
    bool ok = std::fgets(line, sizeof line, pipe) != nullptr;
    pclose(pipe);
    return ok && std::sscanf(line, "recalc_ms=%lf checksum=%lf", &peerMs, &peerChecksum) == 2;
}
}

// "workbook_bench recalc", "load" or "first" (load, graph build and first recalculation)
// repeats only that step, for a profiler.
int main(int argc, char** argv)
{
    const std::string only = argc > 1 ? argv[1] : "";
    Book book;
    // The real scorecard template, every KPI filled for the whole history.
    ks::scorecard::files::buildTemplate(book, 2020);
    ks::scorecard::files::fillHistory(book, ks::scorecard::layout::kHistoryMonths);
    book.RecalculateBook();
    std::printf("book: %d sheets, %d formulas, %d history months\n", book.SheetCount(), formulaCount(book),
                ks::scorecard::layout::kHistoryMonths);

    if (only == "recalc") {
        // An optional count keeps a callgrind run short.
        medianMs(argc > 2 ? std::atoi(argv[2]) : 2000, [&] { book.RecalculateBook(); });
        return 0;
    }
    double recalcMs = medianMs(200, [&] { book.RecalculateBook(); });
    double ours = checksum(book);

    auto dir = std::filesystem::temp_directory_path() / "ks_workbook_bench";
    std::filesystem::create_directories(dir);
    std::string file = (dir / "scorecard.vqa").string();
    double saveMs = medianMs(20, [&] { book.WriteBookFile(file, kFileNative); });
    Book loaded;
    if (only == "load") {
        medianMs(200, [&] { loaded.ReadBookFile(file); });
        return 0;
    }
    if (only == "first") {
        medianMs(200, [&] {
            loaded.ReadBookFile(file);
            loaded.BookNumber(1, 49, 22);
        });
        return 0;
    }
    double loadMs = medianMs(20, [&] { loaded.ReadBookFile(file); });
    std::vector<double> firsts;
    for (int i = 0; i < 9; ++i) {
        loaded.ReadBookFile(file);
        firsts.push_back(medianMs(1, [&] { loaded.BookNumber(1, 49, 22); }));
    }
    std::sort(firsts.begin(), firsts.end());
    double firstRecalcMs = firsts[firsts.size() / 2];
    double editMs = medianMs(200, [&] {
        loaded.setBookNumber(8, 12, 6, loaded.BookNumber(8, 12, 6) + 1);
        loaded.BookNumber(1, 49, 19);
    });

    std::printf("ours: full recalculation %.3f ms (goal < 1), save %.3f ms, load %.3f ms (goals < 20)\n", recalcMs,
                saveMs, loadMs);
    std::printf("ours: graph build + first recalculation after load %.3f ms, one edit and read %.3f ms\n",
                firstRecalcMs, editMs);

    std::string json = (dir / "scorecard.json").string();
    std::string values = (dir / "scorecard_values.json").string();
    writeJson(book, json);
    writeJson(book, values, true);
    double peerMs = 0, peerChecksum = 0;
    if (!runPeer(json, values, peerMs, peerChecksum)) {
        std::printf("hyperformula: not available (node and npm needed)\nchecksum ours %.6f\n", ours);
        return 0;
    }
    std::printf("hyperformula: rebuild and recalculation %.3f ms; ratio hyperformula/ours: full recalculation %.1f, "
                "graph build + first recalculation %.1f (goal >= 20), load + graph build + first recalculation %.1f\n",
                peerMs, peerMs / recalcMs, peerMs / firstRecalcMs, peerMs / (loadMs + firstRecalcMs));
    bool agree = std::abs(ours - peerChecksum) <= 1e-9 * std::max(1.0, std::abs(ours));
    std::printf("checksum ours %.6f, hyperformula %.6f: %s\n", ours, peerChecksum, agree ? "agree" : "DIFFER");
    return agree ? 0 : 1;
}
