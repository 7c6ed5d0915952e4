#pragma once
// The printer object: one installed printer (or the PDF file that stands in when
// none is installed) with its device, driver and port names and the settings the
// programs read and set, in the numbering their device mode uses. Drawing goes to
// qprinter(); copying a Printer copies the device and its settings.
#include <QString>
#include <memory>

class QPrinter;
class QPrinterInfo;

namespace ks::printing {

// Settings values as the device mode numbers them.
inline constexpr int kPortrait = 1, kLandscape = 2;
inline constexpr int kSimplex = 1, kDuplexLongEdge = 2, kDuplexShortEdge = 3;
inline constexpr int kMonochrome = 1, kColour = 2;
inline constexpr int kQualityDraft = -1, kQualityLow = -2, kQualityMedium = -3, kQualityHigh = -4;

// The device name of the PDF file that takes the place of a printer.
inline const QString kPdfDevice = QStringLiteral("PDF File");

class Printer {
public:
    // A printer that writes a PDF file (pdfFile "" until one is chosen).
    explicit Printer(const QString& pdfFile = QString());
    // An installed printer with its default settings.
    explicit Printer(const QPrinterInfo& info);
    Printer(const Printer& other);
    Printer& operator=(const Printer& other);
    ~Printer();

    QString DeviceName() const;
    QString DriverName() const;
    // The queue's port; for the PDF printer the file it writes.
    QString Port() const;
    bool printsToFile() const;
    // Makes this object write the PDF file at path (the port a PDF printer has).
    void setPdfFile(const QString& path);

    // Setters raise error 380 "Invalid property value" for a value the device mode
    // does not define; the object is then unchanged.
    int Copies() const;
    void setCopies(int copies);
    int Duplex() const;
    void setDuplex(int duplex);
    int Orientation() const;
    void setOrientation(int orientation);
    int PaperSize() const;   // 0 for a size the device mode has no number for
    void setPaperSize(int paperSize);
    // Negative: the draft to high steps; positive: dots per inch.
    int PrintQuality() const;
    void setPrintQuality(int quality);
    int ColorMode() const;
    void setColorMode(int mode);
    int PaperBin() const;
    void setPaperBin(int bin);
    // The paper's width across in twips, as the orientation turns it.
    int Width() const;

    QPrinter& qprinter() const { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_;
    QString driver_;
    int quality_ = 0;   // as last set: a named step reads back as that step
    int duplex_ = 0;    // as last set, for a PDF file
};

}
