#pragma once
// Reports into PDF files: A4 at 600 dpi without margins, through the same page engine and layouts
// as the printer, written atomically (complete, or the old file stays). Needs a QGuiApplication;
// the command line, which has no window, starts one on the offscreen platform with GuiSitzung.
// The interface is free of Qt types, so the command line's other commands stay Qt-free code.

#include <memory>
#include <string>

#include "printing/berichtsdruck.h"

class QGuiApplication;

namespace talerwerk {

// Writes the report as a PDF file; false with a German message when nothing was written (the file
// cannot be written, or the page settings ask for no copy).
bool PdfSchreiben(const std::string& pfad, const Berichtsanfrage& anfrage, const Druckumgebung& umgebung,
                  Druckfortschritt& fortschritt, std::string& fehler);

// A QGuiApplication for the time of a command, on the offscreen platform unless QT_QPA_PLATFORM
// names another; nothing when one runs already.
class GuiSitzung {
public:
    GuiSitzung();
    ~GuiSitzung();
    GuiSitzung(const GuiSitzung&) = delete;
    GuiSitzung& operator=(const GuiSitzung&) = delete;

private:
    std::unique_ptr<QGuiApplication> app_;
};

}  // namespace talerwerk
