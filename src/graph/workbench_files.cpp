#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <filesystem>
#include <fstream>

#include "expr/application_title.h"
#include "graph/graph_messages.h"
#include "graph/preferences.h"
#include "graph/workbench.h"
#include "output/atomic_file.h"
#include "output/image_files.h"

// What the graph window writes and reads: the preferences file and the exports of the
// drawing. The vector exports redraw with their recording switched on.

namespace kalvor {

namespace {

std::string preferencesPath(const std::string& folder) {
    return (std::filesystem::path(folder) / kPreferencesFileName).string();
}

// The lines of a text file with LF or CR LF line ends; nothing when it cannot be read.
std::optional<std::vector<std::string>> readTextLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
    }
    if (!lines.empty() && lines.front().rfind("\xEF\xBB\xBF", 0) == 0) lines.front().erase(0, 3);
    return lines;
}

// Switches one recording flag on for the life of the scope.
class Recording {
public:
    Recording(DrawingContext& drawing, void (DrawingContext::*set)(bool))
        : m_drawing(drawing), m_set(set) {
        (m_drawing.*m_set)(true);
    }
    ~Recording() { (m_drawing.*m_set)(false); }
    Recording(const Recording&) = delete;
    Recording& operator=(const Recording&) = delete;

private:
    DrawingContext& m_drawing;
    void (DrawingContext::*m_set)(bool);
};

// The recorder only writes the file; the export reports how it went and offers to show it.
bool savePdf(Host& host, const PdfRecorder& pdf, const std::string& path) {
    if (!pdf.writeFile(path)) {
        host.messageBox(kApplicationTitle, pdfNotSavedMessage(path), Host::Icon::Error);
        return false;
    }
    const std::string saved = pdfSavedMessage(path);
    host.inform(kApplicationTitle, saved);
    if (host.messageBox(kApplicationTitle, saved + std::string(kPdfPreviewQuestion),
                        Host::Icon::Question, Host::Buttons::YesNo) == Host::Answer::Yes)
        host.openDocument(path);
    return true;
}

}  // namespace

// ---- Preferences -----------------------------------------------------------------------------

bool Workbench::writePreferences(const std::string& folder) {
    m_preferenceLines = kalvor::preferenceLines(m_settings);
    std::string text;
    for (const std::string& line : m_preferenceLines)
        text.append(line).append("\r\n");
    return writeFileAtomically(preferencesPath(folder), text);
}

bool Workbench::savePreferences(const std::string& folder) {
    if (writePreferences(folder)) return true;
    host().messageBox(kApplicationTitle, "Geen toegang tot voorkeuren, voorkeuren niet opgeslagen",
                      Host::Icon::None);
    return false;
}

bool Workbench::loadPreferences(const std::string& folder, bool redrawAfter) {
    if (auto lines = readTextLines(preferencesPath(folder))) m_preferenceLines = std::move(*lines);
    const GraphSettings before = m_settings;
    const auto error = applyPreferenceLines(m_preferenceLines, m_settings);
    if (!(m_settings == before)) emit fieldsChanged();
    if (error) {
        host().messageBox(kErrorCaption,
                          notWholeNumberMessage(error->value, kPreferencesFileName, error->name),
                          Host::Icon::Error);
        return false;
    }
    if (redrawAfter) redraw();
    return true;
}

void Workbench::loadPreferencesAtStart(const std::string& folder) {
    std::error_code ignored;
    if (std::filesystem::exists(preferencesPath(folder), ignored)) {
        loadPreferences(folder, false);
    } else {
        writePreferences(folder);
    }
}

// ---- Exports ---------------------------------------------------------------------------------

void Workbench::reportUnsaved(const std::string& path) {
    host().messageBox(kErrorCaption, "Kan " + path + " niet opslaan.", Host::Icon::Error);
}

bool Workbench::exportPdf(const PathChoice& choosePath) {
    if (m_running || isPaused() || !redraw()) return false;
    {
        Recording recording(m_drawing, &DrawingContext::setPdfRecording);
        m_pdf.clear();
        const Number x1 = m_canvas.d2WorldX1(), y1 = m_canvas.d2WorldY1();
        m_pdf.beginDoc(m_canvas.width(), m_canvas.height(), x1, x1 + m_canvas.d2WorldXW(), y1,
                       y1 + m_canvas.d2WorldYW());
        redraw();
        m_pdf.endDoc();
    }
    const std::optional<std::string> path = choosePath();
    const bool saved = path && savePdf(host(), m_pdf, *path);
    m_pdf.clear();
    redraw();
    return saved;
}

bool Workbench::exportEepic(const PathChoice& choosePath) {
    if (m_running || isPaused() || !redraw()) return false;
    {
        Recording recording(m_drawing, &DrawingContext::setEepicRecording);
        m_picture.beginPicture(m_canvas.d2WorldX1(), m_canvas.d2WorldXW(), m_canvas.d2WorldY1(),
                               m_canvas.d2WorldYW());
        redraw();
        m_picture.endPicture();
    }
    const std::optional<std::string> path = choosePath();
    const bool saved = path && m_picture.saveToFile(*path);
    if (path && !saved) reportUnsaved(*path);
    redraw();
    return saved;
}

bool Workbench::exportTikz(const PathChoice& choosePath) {
    if (m_running || isPaused() || !redraw()) return false;
    TikzSink& tikz = m_drawing.tikzSink();
    {
        Recording recording(m_drawing, &DrawingContext::setTikzRecording);
        tikz.begin();
        redraw();
        tikz.end();
    }
    const std::optional<std::string> path = choosePath();
    const bool saved = path && writeFileAtomically(*path, tikz.text());
    if (path && !saved) reportUnsaved(*path);
    tikz.clear();
    redraw();
    return saved;
}

// Without "2x zo groot" the canvas is halved for the recording, so that the picture has the
// window's size; the sampling stays as fine as before.
bool Workbench::exportMetafile(const PathChoice& choosePath) {
    if (m_running || isPaused()) return false;
    const int width = m_canvas.width(), height = m_canvas.height();
    const int fontSize = m_canvas.font().size, samples = m_samplesPerWidth;
    const bool halve = !m_settings.metafileFullSize;
    m_metafileRecording = true;
    if (halve) {
        m_canvas.resize(std::max(1, width / 2), std::max(1, height / 2));
        m_canvas.font().size = std::max(1, fontSize / 2);
        m_samplesPerWidth = 2 * samples;
    }
    const bool drawn = redraw();
    m_metafileRecording = false;
    const std::optional<std::string> path = drawn ? choosePath() : std::nullopt;
    const bool saved = path && m_canvas.saveMetafile(*path);
    if (path && !saved) reportUnsaved(*path);
    m_canvas.setRecordMetafile(false);
    if (halve) {
        m_canvas.font().size = fontSize;
        m_canvas.resize(width, height);
        m_samplesPerWidth = samples;
        redraw();
    } else if (m_redrawPending) {
        redraw();
    }
    return saved;
}

bool Workbench::exportPdf(const std::string& path) {
    return exportPdf([&path] { return std::optional<std::string>(path); });
}

bool Workbench::exportEepic(const std::string& path) {
    return exportEepic([&path] { return std::optional<std::string>(path); });
}

bool Workbench::exportTikz(const std::string& path) {
    return exportTikz([&path] { return std::optional<std::string>(path); });
}

bool Workbench::exportMetafile(const std::string& path) {
    return exportMetafile([&path] { return std::optional<std::string>(path); });
}

bool Workbench::exportPng(const std::string& path) {
    return !saveImageFile(m_canvas.image(), path).has_value();
}

std::optional<std::string> Workbench::saveCanvasImage(const std::string& path) {
    return saveImageFile(m_canvas.image(), path, ImageSaveOptions{m_settings.transparentGifs});
}

}  // namespace kalvor
