// Writes the two manuals of the help folder: short PDFs that say what they are.
#include "tools/manuals/pdf_document.h"

#include <QGuiApplication>
#include <cstdio>

using ks::tools::writePdf;

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_manuals <help folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok =
        writePdf(folder + "/Orvantis_manual.pdf",
                    "<h1>Orvantis Help Manual</h1>"
                    "<p>This is the help manual of the Orvantis scorecard.</p>"
                    "<h2>The scorecard</h2><p>Pick a month in the month list, type the actual and the target of "
                    "each KPI, and write your comments, successes, obstacles and plans. Everything you type is kept "
                    "in the scorecard's history.</p>"
                    "<h2>The coach</h2><p>The coach answers what you enter with short videos. Choose Active Coach, "
                    "Silent Coach or Coach Off in the coach-mode list. RES lets the coach comment again.</p>"
                    "<h2>Reports</h2><p>The report screen builds actual, budget and variance reports over the "
                    "periods and KPIs you choose, with a chart for each KPI.</p>")
        && writePdf(folder + "/Quickstart_electronic_version.pdf",
                       "<h1>Orvantis Quickstart Tutorial</h1>"
                       "<ol><li>Choose SCORECARD.</li><li>File &gt; New creates a scorecard; give it a name.</li>"
                       "<li>Set up your KPIs on the set-up sheet.</li><li>Pick the month and type your results.</li>"
                       "<li>Save with File &gt; Save.</li></ol>");
    return ok ? 0 : 1;
}
