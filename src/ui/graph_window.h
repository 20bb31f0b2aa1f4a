#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <optional>
#include <utility>
#include <vector>

#include "graph/workbench.h"
#include "ui/dialogs.h"
#include "ui/side_panel.h"

class QAction;
class QLabel;
class QSlider;

namespace kalvor {

class CanvasView;
class EditorWindow;
class FilmPageWindow;
class FunctionTableWindow;
class GifBuilderWindow;
class HelpWindow;
class ProgramControlsView;
class RichTextPane;

/// The graph window ("Kalvor 2.1"): the canvas, the side panel, the sliders and the menus.
/// It forwards what the person does (fields, buttons, sliders, mouse, keys, swatches, menu
/// commands) to the Workbench and shows what the Workbench announces; the picture itself is
/// always the Workbench's.
class GraphWindow : public QMainWindow {
    Q_OBJECT

public:
    GraphWindow(Workbench& bench, Dialogs& dialogs, QWidget* parent = nullptr);
    ~GraphWindow() override;

    /// The editor exists: start-up is complete and resizes redraw from now on.
    void setEditor(EditorWindow* editor);
    void setAboutBox(QWidget* about) { m_about = about; }
    void setHelpWindow(HelpWindow* help);

    CanvasView* canvasView() const { return m_canvas; }
    SidePanel* sidePanel() const { return m_panel; }
    QSlider* slider(int index) const { return m_sliders[index]; }
    QLabel* sliderReadout(int index) const { return m_readouts[index]; }
    QAction* slidersAction() const { return m_slidersAction; }
    /// The strip below the canvas with the sliders and their readouts.
    QWidget* sliderStrip() const { return m_strip; }
    /// "Bezig … (Esc stopt)" below the canvas, shown while a run lasts long.
    QLabel* busyLabel() const { return m_busyLabel; }
    /// The user boxes, the selection list and the continue button of `stop`.
    ProgramControlsView* controlsView() const { return m_controlsView; }
    RichTextPane* richTextPane() const { return m_richText; }
    QAction* transparentGifsAction() const { return m_transparentGifsAction; }
    /// The readout of the world point under the pointer (and, when tracing, the functions).
    QLabel* pointerReadout() const { return m_pointerReadout; }
    QAction* navigationAction() const { return m_navigationAction; }
    QAction* traceAction() const { return m_traceAction; }
    QAction* smoothLinesAction() const { return m_smoothLinesAction; }
    /// "&Tabel...", made when first asked for.
    FunctionTableWindow* functionTable();
    /// The builder and Beeldrol windows, made when first asked for.
    GifBuilderWindow* gifBuilder();
    FilmPageWindow* filmPageWindow();

public slots:
    /// "Weer Tekenen" (also what every other part of the window asks for).
    void redraw();
    /// Compile+Run: shows the window in front and redraws.
    void showAndRedraw();
    /// "Mee&r...": a fresh program interface, then the editor in front.
    void showEditor();
    void explainFormulaEntry();
    /// "font": the canvas font, sizes 6 … 24; the picture is redrawn either way.
    void chooseFont();
    void savePreferences();
    void loadPreferences();
    void exportPdf();
    void exportEepic();
    void exportTikz();
    void exportMetafile();
    /// "&Kopieren als Bitmap".
    void copyBitmap();
    void showGifBuilder();
    void showFilmPage();
    void showFunctionTable();
    /// "&Standaardvenster".
    void restoreStandardWindow();
    /// "&Presentatie openen": asks for a lesson in the presentation folder and opens it.
    void openPresentationFromMenu();

public:
    /// Shows the lesson text beside the canvas and runs its program through the editor's
    /// Compile+Run. False (after a message) when the file cannot be read as rich text.
    bool openPresentation(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildLayout();
    void buildMenus();
    void connectParts();
    QWidget* buildSliderStrip();
    void buildImageMenus(QMenu* file);
    /// "&Editor" in "&Opties": the editor's help switches.
    void buildEditorOptions(QMenu* options);
    /// Zoom, pan, trace and smooth-line switches and "Standaardvenster" in "&Opties".
    void buildNavigationOptions(QMenu* options);
    void connectCanvas();
    void canvasPressed(QPoint pixel, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void canvasMoved(QPoint pixel, Qt::MouseButtons buttons);
    void canvasReleased(QPoint pixel, Qt::MouseButton button);
    void canvasWheel(QPoint pixel, int notches);
    void showPointer(std::optional<QPoint> pixel);
    /// "Opslaan als &JPG", "&Gif", "Bi&tmap", "&PNG": asks for the file and writes the
    /// canvas as it stands in the format of its extension.
    void saveCanvasImage(const FileDialogRequest& request);
    void refreshControls();
    void placeSliders();
    void refreshFields();
    void refreshSliders();
    void refreshSizeTexts();
    void applyFormSize();
    void runningChanged(bool running);
    void afterRun();
    void showBusy(bool busy);
    void followCanvasSize();
    void swatchClicked(SidePanel::SwatchKind kind, int index, Qt::MouseButton button);
    void askLineWidth(int swatchId);
    void exportDrawing(const FileDialogRequest& request,
                       bool (Workbench::*write)(const Workbench::PathChoice&));
    bool keyReachesWindow(QObject* watched) const;
    QString presentationFolder() const;
    void clearBoxesForPresentation();
    void lessonLineClicked(const QString& line);

    Workbench& m_bench;
    Dialogs& m_dialogs;
    CanvasView* m_canvas;
    SidePanel* m_panel;
    std::array<QSlider*, 2> m_sliders{};
    std::array<QLabel*, 2> m_readouts{};
    QAction* m_slidersAction = nullptr;
    QLabel* m_busyLabel = nullptr;
    QWidget* m_strip = nullptr;
    ProgramControlsView* m_controlsView = nullptr;
    RichTextPane* m_richText = nullptr;
    QAction* m_transparentGifsAction = nullptr;
    QAction* m_presentationAction = nullptr;
    QAction* m_navigationAction = nullptr;
    QAction* m_traceAction = nullptr;
    QAction* m_smoothLinesAction = nullptr;
    QLabel* m_pointerReadout = nullptr;
    std::optional<QPoint> m_pointer;  // over the canvas
    Qt::MouseButton m_panButton = Qt::NoButton;
    QPointer<FunctionTableWindow> m_functionTable;
    QMenu* m_optionsMenu = nullptr;
    std::vector<std::pair<QAction*, bool EditorHelp::*>> m_editorOptions;
    QPointer<GifBuilderWindow> m_gifBuilder;
    QPointer<FilmPageWindow> m_filmPage;
    QTimer m_busyTimer;
    /// While a program runs, its controls are shown as it changes them (the continue
    /// button of `stop` above all).
    QTimer m_controlsTimer;
    QPointer<EditorWindow> m_editor;
    QPointer<QWidget> m_about;
    QPointer<HelpWindow> m_help;
    QSize m_lockedMinimum, m_lockedMaximum;
    bool m_sizeLocked = false;
    /// The folder of the presentation shown, where its links are looked up.
    QString m_presentationFolder;
    int m_pendingWidth = 0;  // asked of the window system when the text area appeared
    bool m_shownOnce = false;
};

}  // namespace kalvor
