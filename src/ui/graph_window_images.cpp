// The graph window's raster exports, the clipboard copy and the two windows that turn saved
// frames into an animated GIF or a web page.
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMenu>

#include "expr/application_title.h"
#include "graph/workbench.h"
#include "ui/film_page_window.h"
#include "ui/gif_builder_window.h"
#include "ui/graph_window.h"
#include "ui/qt_text.h"

namespace kalvor {

namespace {

// The raster exports of the file menu: the canvas in the format of the chosen file's
// extension, whichever item chose it.
struct RasterExport {
    const char* item;
    const char* fileName;
    const char* filter;
    const char* suffix;
};

constexpr RasterExport kRasterExports[] = {
    {"Opslaan als &JPG", "jpeg.jpg", "JPG (*.jpg)", "jpg"},
    {"Opslaan als &Gif", "gif.gif", "Gif (*.gif)", "gif"},
    {"Opslaan als Bi&tmap", "bitmap.bmp", "Bitmap (*.bmp)", "bmp"},
    {"Opslaan als &PNG", "png.png", "PNG (*.png)", "png"},
};

}  // namespace

void GraphWindow::buildImageMenus(QMenu* file) {
    for (const RasterExport& kind : kRasterExports) {
        const FileDialogRequest request{QString(), QString::fromLatin1(kind.fileName),
                                        QString::fromLatin1(kind.filter),
                                        QString::fromLatin1(kind.suffix)};
        file->addAction(QString::fromLatin1(kind.item), this,
                        [this, request] { saveCanvasImage(request); });
    }
    file->addSeparator();
    file->addAction(QStringLiteral("&Animated Gif maken"), this, &GraphWindow::showGifBuilder);
    file->addAction(QStringLiteral("&Beeldrol (javascript)"), this, &GraphWindow::showFilmPage);
}

// The canvas as it stands, even in the middle of a run.
void GraphWindow::saveCanvasImage(const FileDialogRequest& request) {
    const auto path = m_dialogs.saveFileName(this, request);
    if (!path) return;
    if (const auto problem = m_bench.saveCanvasImage(toStdString(*path)))
        m_bench.host().messageBox(kApplicationTitle, *problem, Host::Icon::Error);
}

void GraphWindow::copyBitmap() {
    m_bench.host().setClipboardImage(m_bench.canvas().image());
}

GifBuilderWindow* GraphWindow::gifBuilder() {
    if (!m_gifBuilder)
        m_gifBuilder = new GifBuilderWindow(m_bench.environment().controls.gifInputList,
                                            m_bench.host(), m_dialogs, this);
    return m_gifBuilder;
}

FilmPageWindow* GraphWindow::filmPageWindow() {
    if (!m_filmPage) {
        m_filmPage = new FilmPageWindow(m_bench.host(), m_dialogs, this);
        m_filmPage->setAboutBox(m_about);
        m_filmPage->setGeneratorFolder(
            QDir(toQString(m_bench.environment().startupDirectory)).absoluteFilePath("beeldrol"));
    }
    return m_filmPage;
}

void GraphWindow::showGifBuilder() {
    GifBuilderWindow* builder = gifBuilder();
    builder->refreshInputs();
    builder->show();
    builder->raise();
}

void GraphWindow::showFilmPage() {
    filmPageWindow()->show();
    filmPageWindow()->raise();
}

}  // namespace kalvor
