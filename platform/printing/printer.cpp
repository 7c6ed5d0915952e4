#include "platform/printing/printer.h"

#include "platform/runtime/runtime_error.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <utility>

namespace ks::printing {
namespace {

// Device-mode paper numbers of the sizes Qt knows by name.
constexpr std::pair<int, QPageSize::PageSizeId> kPaperSizes[] = {
    {1, QPageSize::Letter},   {3, QPageSize::Tabloid}, {4, QPageSize::Ledger},  {5, QPageSize::Legal},
    {7, QPageSize::Executive}, {8, QPageSize::A3},     {9, QPageSize::A4},      {11, QPageSize::A5},
    {12, QPageSize::JisB4},   {13, QPageSize::JisB5},  {20, QPageSize::Comm10E}, {27, QPageSize::DLE},
    {28, QPageSize::C5E},     {34, QPageSize::EnvelopeB5}, {37, QPageSize::EnvelopeMonarch},
};

// Device-mode bin numbers; the upper bin is the only one when there is one.
constexpr std::pair<int, QPrinter::PaperSource> kPaperBins[] = {
    {1, QPrinter::Upper},         {2, QPrinter::Lower},          {3, QPrinter::Middle},
    {4, QPrinter::Manual},        {5, QPrinter::Envelope},       {6, QPrinter::EnvelopeManual},
    {7, QPrinter::Auto},          {8, QPrinter::Tractor},        {9, QPrinter::SmallFormat},
    {10, QPrinter::LargeFormat},  {11, QPrinter::LargeCapacity}, {14, QPrinter::Cassette},
    {15, QPrinter::FormSource},
};

// Dots per inch behind the four named quality steps.
constexpr std::pair<int, int> kQualitySteps[] = {
    {kQualityDraft, 150}, {kQualityLow, 300}, {kQualityMedium, 600}, {kQualityHigh, 1200}};

int duplexOf(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexLongSide: return kDuplexLongEdge;
    case QPrinter::DuplexShortSide: return kDuplexShortEdge;
    default: return kSimplex;
    }
}

[[noreturn]] void invalidValue()
{
    throw RuntimeError(380, "Invalid property value");
}

void copySettings(const QPrinter& from, QPrinter& to)
{
    to.setCopyCount(from.copyCount());
    to.setDuplex(from.duplex());
    to.setPageLayout(from.pageLayout());
    to.setResolution(from.resolution());
    to.setColorMode(from.colorMode());
    to.setPaperSource(from.paperSource());
}

}

Printer::Printer(const QString& pdfFile) : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setPdfFile(pdfFile);
}

Printer::Printer(const QPrinterInfo& info)
    : printer_(std::make_unique<QPrinter>(info, QPrinter::HighResolution)), driver_(info.makeAndModel())
{
}

Printer::Printer(const Printer& other) : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    *this = other;
}

Printer& Printer::operator=(const Printer& other)
{
    if (this == &other)
        return *this;
    if (other.printsToFile())
        setPdfFile(other.Port());
    else
        printer_->setPrinterName(other.DeviceName());
    driver_ = other.driver_;
    quality_ = other.quality_;
    duplex_ = other.duplex_;
    copySettings(*other.printer_, *printer_);
    return *this;
}

Printer::~Printer() = default;

QString Printer::DeviceName() const { return printsToFile() ? kPdfDevice : printer_->printerName(); }
QString Printer::DriverName() const { return printsToFile() ? QStringLiteral("PDF") : driver_; }
// A job goes to the queue of that name, or to the file.
QString Printer::Port() const { return printsToFile() ? printer_->outputFileName() : printer_->printerName(); }
bool Printer::printsToFile() const { return printer_->outputFormat() == QPrinter::PdfFormat; }

void Printer::setPdfFile(const QString& path)
{
    printer_->setOutputFormat(QPrinter::PdfFormat);
    printer_->setOutputFileName(path);
    // Setting a file name of "" would fall back to the native format.
    printer_->setOutputFormat(QPrinter::PdfFormat);
}

int Printer::Copies() const { return printer_->copyCount(); }

void Printer::setCopies(int copies)
{
    if (copies < 1 || copies > 32767)
        invalidValue();
    printer_->setCopyCount(copies);
}

// A PDF file has no sides, so the device forgets the choice; the object keeps it.
int Printer::Duplex() const
{
    return printsToFile() && duplex_ != 0 ? duplex_ : duplexOf(printer_->duplex());
}

void Printer::setDuplex(int duplex)
{
    switch (duplex) {
    case kSimplex: printer_->setDuplex(QPrinter::DuplexNone); break;
    case kDuplexLongEdge: printer_->setDuplex(QPrinter::DuplexLongSide); break;
    case kDuplexShortEdge: printer_->setDuplex(QPrinter::DuplexShortSide); break;
    default: invalidValue();
    }
    duplex_ = duplex;
}

int Printer::Orientation() const
{
    return printer_->pageLayout().orientation() == QPageLayout::Landscape ? kLandscape : kPortrait;
}

void Printer::setOrientation(int orientation)
{
    if (orientation != kPortrait && orientation != kLandscape)
        invalidValue();
    printer_->setPageOrientation(orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

int Printer::PaperSize() const
{
    const QPageSize::PageSizeId id = printer_->pageLayout().pageSize().id();
    for (const auto& [number, size] : kPaperSizes)
        if (size == id)
            return number;
    return 0;
}

void Printer::setPaperSize(int paperSize)
{
    for (const auto& [number, size] : kPaperSizes)
        if (number == paperSize) {
            printer_->setPageSize(QPageSize(size));
            return;
        }
    invalidValue();
}

int Printer::PrintQuality() const { return quality_ != 0 ? quality_ : printer_->resolution(); }

void Printer::setPrintQuality(int quality)
{
    if (quality > 0 && quality <= 9600) {
        printer_->setResolution(quality);
        quality_ = quality;
        return;
    }
    for (const auto& [step, dpi] : kQualitySteps)
        if (step == quality) {
            printer_->setResolution(dpi);
            quality_ = quality;
            return;
        }
    invalidValue();
}

int Printer::ColorMode() const { return printer_->colorMode() == QPrinter::GrayScale ? kMonochrome : kColour; }

void Printer::setColorMode(int mode)
{
    if (mode != kMonochrome && mode != kColour)
        invalidValue();
    printer_->setColorMode(mode == kMonochrome ? QPrinter::GrayScale : QPrinter::Color);
}

int Printer::PaperBin() const
{
    for (const auto& [number, source] : kPaperBins)
        if (source == printer_->paperSource())
            return number;
    return 7;   // a source the device mode has no number for is the printer's choice
}

void Printer::setPaperBin(int bin)
{
    for (const auto& [number, source] : kPaperBins)
        if (number == bin) {
            printer_->setPaperSource(source);
            return;
        }
    invalidValue();
}

int Printer::Width() const
{
    return qRound(printer_->pageLayout().fullRect(QPageLayout::Point).width() * 20);
}

}
