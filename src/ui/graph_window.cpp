#include "ui/graph_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>
#include <utility>

#include "canvas/canvas_paint.h"
#include "expr/application_title.h"
#include "graph/workbench.h"
#include "lang/program_controls.h"
#include "ui/canvas_view.h"
#include "ui/dialogs.h"
#include "ui/editor_window.h"
#include "ui/function_table_window.h"
#include "ui/gif_builder_window.h"
#include "ui/help_window.h"
#include "ui/key_codes.h"
#include "ui/program_controls_view.h"
#include "ui/qt_text.h"
#include "ui/rich_text_pane.h"

namespace kalvor {

namespace {

// The sliders' default places in the strip below the canvas; their readouts stand 20 pixels
// further right.
constexpr int kSliderLeft[2] = {8, 184};
constexpr int kSliderWidth = 170;
constexpr int kReadoutOffset = 20;
constexpr int kStripHeight = 54;
// A run that lasts longer than this shows that it is busy.
constexpr int kBusyDelayMs = 500;
constexpr int kControlsRefreshMs = 30;
// How long a requested window width may take to arrive.
constexpr int kResizeGraceMs = 300;
const QString kBusyText = QStringLiteral("Bezig \u2026 (Esc stopt)");

std::optional<MouseButton> workbenchButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

void bringToFront(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}

Color colourOf(const QColor& colour) {
    return makeColor(colour.red(), colour.green(), colour.blue());
}

}  // namespace

GraphWindow::GraphWindow(Workbench& bench, Dialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_bench(bench), m_dialogs(dialogs) {
    setWindowTitle(toQString(kApplicationTitle));
    m_canvas = new CanvasView(bench.canvas());
    m_panel = new SidePanel(bench.settings());
    // This window shows the continue button, so `stop` waits for it here.
    bench.environment().controls.waitAtStop = true;
    buildLayout();
    buildMenus();
    connectParts();
    qApp->installEventFilter(this);

    // The window is sized so that the canvas starts at its own size (360 × 360).
    resize(sizeHint());
    m_bench.settings().formWidth = width();
    m_bench.settings().formHeight = height();
    m_bench.loadPreferencesAtStart();
    refreshFields();
    refreshSliders();
    refreshSizeTexts();
}

GraphWindow::~GraphWindow() {
    qApp->removeEventFilter(this);
    showBusy(false);
}

void GraphWindow::buildLayout() {
    // A small screen may not hold the whole panel beside the canvas; it then scrolls.
    auto* panelArea = new QScrollArea;
    panelArea->setWidget(m_panel);
    panelArea->setWidgetResizable(true);
    panelArea->setFrameShape(QFrame::NoFrame);
    panelArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    panelArea->setFixedWidth(m_panel->sizeHint().width());

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    m_richText = new RichTextPane;
    row->addWidget(m_richText);
    row->addWidget(m_canvas, 1);
    row->addWidget(panelArea);
    column->addLayout(row, 1);
    m_strip = buildSliderStrip();
    column->addWidget(m_strip);
    m_controlsView = new ProgramControlsView(m_bench);
    column->addWidget(m_controlsView);
    setCentralWidget(central);
}

void GraphWindow::connectParts() {
    // Queued: a link opens another lesson, which replaces the text under the press.
    connect(m_richText, &RichTextPane::lineClicked, this, &GraphWindow::lessonLineClicked,
            Qt::QueuedConnection);
    connect(m_panel, &SidePanel::redrawRequested, this, &GraphWindow::redraw);
    connect(m_panel, &SidePanel::swatchClicked, this, &GraphWindow::swatchClicked);
    connect(m_panel, &SidePanel::formulaHelpRequested, this, &GraphWindow::explainFormulaEntry);
    connect(m_panel, &SidePanel::fontRequested, this, &GraphWindow::chooseFont);
    connectCanvas();
    connect(m_canvas, &CanvasView::sizeChanged, this, &GraphWindow::followCanvasSize);
    connect(m_canvas, &CanvasView::deviceRatioChanged, &m_bench, &Workbench::setCanvasRatio);
    connect(&m_bench, &Workbench::fieldsChanged, this, &GraphWindow::refreshFields);
    connect(&m_bench, &Workbench::slidersChanged, this, &GraphWindow::refreshSliders);
    connect(&m_bench, &Workbench::sizeTextsChanged, this, &GraphWindow::refreshSizeTexts);
    connect(&m_bench, &Workbench::runningChanged, this, &GraphWindow::runningChanged);
    connect(&m_bench, &Workbench::redrawn, this, &GraphWindow::refreshControls);
    m_controlsTimer.setInterval(kControlsRefreshMs);
    connect(&m_controlsTimer, &QTimer::timeout, this, &GraphWindow::refreshControls);
    m_busyTimer.setSingleShot(true);
    connect(&m_busyTimer, &QTimer::timeout, this, [this] { showBusy(m_bench.isRunning()); });
}

void GraphWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Bestand"));
    file->addAction(QStringLiteral("&Voorkeuren opslaan"), this, &GraphWindow::savePreferences);
    file->addAction(QStringLiteral("Voorkeuren &laden"), this, &GraphWindow::loadPreferences);
    m_presentationAction = file->addAction(QStringLiteral("&Presentatie openen"), this,
                                           &GraphWindow::openPresentationFromMenu);
    file->addSeparator();
    file->addAction(QStringLiteral("Opslaan als P&df"), this, &GraphWindow::exportPdf);
    file->addAction(QStringLiteral("Opslaan als Eepi&c"), this, &GraphWindow::exportEepic);
    file->addAction(QStringLiteral("Opslaan als &Metafile"), this, &GraphWindow::exportMetafile);
    file->addAction(QStringLiteral("Opslaan als Ti&kZ"), this, &GraphWindow::exportTikz);
    buildImageMenus(file);
    file->addSeparator();
    file->addAction(QStringLiteral("&Sluiten"), this, &QWidget::close);
    menuBar()->addAction(QStringLiteral("Mee&r..."), this, &GraphWindow::showEditor);
    QMenu* edit = menuBar()->addMenu(QStringLiteral("Be&werken"));
    edit->addAction(QStringLiteral("&Kopieren als Bitmap"), this, &GraphWindow::copyBitmap);
    edit->addAction(QStringLiteral("&Tabel..."), this, &GraphWindow::showFunctionTable);
    QMenu* options = menuBar()->addMenu(QStringLiteral("&Opties"));
    m_optionsMenu = options;
    m_slidersAction = options->addAction(QStringLiteral("Sch&uifbalken"));
    m_slidersAction->setCheckable(true);
    connect(m_slidersAction, &QAction::triggered, this, [this] { m_bench.toggleSlidersMenu(); });
    m_transparentGifsAction = options->addAction(QStringLiteral("&Transparante Gif's"));
    m_transparentGifsAction->setCheckable(true);
    connect(m_transparentGifsAction, &QAction::toggled, this,
            [this](bool checked) { m_bench.settings().transparentGifs = checked; });
    buildEditorOptions(options);
    buildNavigationOptions(options);
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Inhoud"), QKeySequence(Qt::Key_F1), this, [this] {
        if (m_help) m_help->showIndex();
    });
    help->addAction(QStringLiteral("&Zoeken"), this, [this] {
        if (m_help) m_help->showSearch();
    });
    help->addAction(QStringLiteral("&Info..."), this, [this] {
        if (m_about) m_about->show();
    });
}

void GraphWindow::buildEditorOptions(QMenu* options) {
    QMenu* editor = options->addMenu(QStringLiteral("&Editor"));
    const std::pair<QString, bool EditorHelp::*> switches[] = {
        {QStringLiteral("&Kleuren en regelnummers"), &EditorHelp::colours},
        {QStringLiteral("&Onbekende regels en foutregel tonen"), &EditorHelp::lineChecks},
        {QStringLiteral("&Aanvullen van opdrachten"), &EditorHelp::completion}};
    for (const auto& [caption, member] : switches) {
        QAction* action = editor->addAction(caption);
        action->setCheckable(true);
        action->setChecked(m_bench.settings().editorHelp.*member);
        connect(action, &QAction::toggled, this, [this, member](bool on) {
            m_bench.settings().editorHelp.*member = on;
            if (m_editor) m_editor->applyHelpOptions();
        });
        m_editorOptions.emplace_back(action, member);
    }
}

void GraphWindow::buildNavigationOptions(QMenu* options) {
    options->addAction(QStringLiteral("Standaard&venster"), this,
                       &GraphWindow::restoreStandardWindow);
    m_navigationAction = options->addAction(QStringLiteral("&Zoomen en schuiven met de muis"));
    m_traceAction = options->addAction(QStringLiteral("Vo&lgen"));
    m_smoothLinesAction = options->addAction(QStringLiteral("&Gladde lijnen"));
    const std::pair<QAction*, bool GraphSettings::*> switches[] = {
        {m_navigationAction, &GraphSettings::mouseNavigation},
        {m_traceAction, &GraphSettings::trace},
        {m_smoothLinesAction, &GraphSettings::smoothLines}};
    for (const auto& [action, member] : switches) {
        action->setCheckable(true);
        action->setChecked(m_bench.settings().*member);
        connect(action, &QAction::toggled, this, [this, member](bool on) {
            m_bench.settings().*member = on;
            showPointer(m_pointer);
        });
    }
    // The canvas takes the switch at its next redraw, which the picture needs at once.
    connect(m_smoothLinesAction, &QAction::triggered, this, &GraphWindow::redraw);
}

QWidget* GraphWindow::buildSliderStrip() {
    // Programs move these controls to pixel positions, so they are placed by hand.
    auto* strip = new QWidget;
    strip->setObjectName(QStringLiteral("schuifbalken"));
    strip->setFixedHeight(kStripHeight);
    for (int i = 0; i < 2; ++i) {
        auto* slider = new QSlider(Qt::Horizontal, strip);
        slider->setObjectName(QStringLiteral("schuifbalk%1").arg(i + 1));
        slider->setRange(-100, 100);
        slider->setPageStep(10);
        slider->setTickInterval(20);
        slider->setTickPosition(QSlider::TicksBelow);
        slider->setGeometry(kSliderLeft[i], 16, kSliderWidth, 36);
        slider->installEventFilter(this);
        slider->hide();
        connect(slider, &QSlider::valueChanged, this,
                [this, i](int position) { m_bench.setSliderPosition(i, position); });
        auto* readout = new QLabel(strip);
        readout->setObjectName(QStringLiteral("schuifwaarde%1").arg(i + 1));
        readout->setGeometry(kSliderLeft[i] + kReadoutOffset, 0, kSliderWidth, 16);
        readout->hide();
        m_sliders[i] = slider;
        m_readouts[i] = readout;
    }
    // Managed by a layout of its own at the right; the sliders keep their pixel places.
    m_busyLabel = new QLabel(kBusyText);
    m_busyLabel->setObjectName(QStringLiteral("bezig"));
    m_busyLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_busyLabel->hide();
    // The pointer readout sits in the strip so that the canvas keeps the size programs expect.
    m_pointerReadout = new QLabel;
    m_pointerReadout->setObjectName(QStringLiteral("coordinaten"));
    m_pointerReadout->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_pointerReadout->setAlignment(Qt::AlignRight | Qt::AlignBottom);
    m_pointerReadout->setWordWrap(true);
    auto* corner = new QVBoxLayout(strip);
    corner->setContentsMargins(0, 0, 8, 2);
    corner->addWidget(m_busyLabel, 0, Qt::AlignTop | Qt::AlignRight);
    corner->addStretch(1);
    corner->addWidget(m_pointerReadout);
    return strip;
}

void GraphWindow::setEditor(EditorWindow* editor) {
    m_editor = editor;
    m_bench.setStartupComplete(editor != nullptr);
}

// ---- Showing what the Workbench announces --------------------------------------------------

void GraphWindow::refreshFields() {
    m_panel->refresh();
    const GraphSettings& settings = m_bench.settings();
    m_canvas->setToolTip(settings.showHints ? toQString(settings.hint) : QString());
    m_transparentGifsAction->setChecked(settings.transparentGifs);
    for (const auto& [action, member] : m_editorOptions)
        action->setChecked(settings.editorHelp.*member);
    m_navigationAction->setChecked(settings.mouseNavigation);
    m_traceAction->setChecked(settings.trace);
    m_smoothLinesAction->setChecked(settings.smoothLines);
    applyFormSize();
}

void GraphWindow::refreshSliders() {
    const auto readouts = m_bench.sliderTexts();
    for (int i = 0; i < 2; ++i) {
        {
            const QSignalBlocker quiet(m_sliders[i]);
            m_sliders[i]->setValue(m_bench.sliders().positions[i]);
        }
        m_sliders[i]->setVisible(m_bench.sliderVisible(i));
        m_readouts[i]->setText(toQString(readouts[i]));
        m_readouts[i]->setVisible(m_bench.sliderReadoutVisible(i));
    }
    m_slidersAction->setChecked(m_bench.slidersMenuChecked());
}

void GraphWindow::refreshControls() {
    const ProgramControls& controls = m_bench.environment().controls;
    m_controlsView->refresh();
    m_optionsMenu->setEnabled(controls.optionsMenuEnabled);
    placeSliders();
    const bool wanted = !controls.richText.empty();
    if (wanted == m_richText->isVisible()) {
        m_richText->showText(controls.richText, controls.richTextBase);
    } else if (!m_bench.isRunning() && !m_sizeLocked) {
        // The window widens or narrows with the text area, so that the canvas keeps its size;
        // the canvas follows once the window system has applied the new width.
        m_pendingWidth = width() + (wanted ? RichTextPane::kWidth : -RichTextPane::kWidth);
        m_bench.settings().formWidth = m_pendingWidth;  // what later field refreshes ask for
        resize(m_pendingWidth, height());
        m_richText->showText(controls.richText, controls.richTextBase);
        QTimer::singleShot(kResizeGraceMs, this, [this] {
            if (std::exchange(m_pendingWidth, 0) != 0) followCanvasSize();
        });
    }
    if (m_gifBuilder && !m_bench.isRunning()) m_gifBuilder->refreshInputs();
}

void GraphWindow::placeSliders() {
    const ProgramControls& controls = m_bench.environment().controls;
    for (int i = 0; i < 2; ++i) {
        const int left = controls.sliderLeft[i] >= 0 ? controls.sliderLeft[i] : kSliderLeft[i];
        const int readout =
            controls.sliderLabelLeft[i] >= 0 ? controls.sliderLabelLeft[i] : left + kReadoutOffset;
        m_sliders[i]->move(left, m_sliders[i]->y());
        m_readouts[i]->move(readout, m_readouts[i]->y());
    }
}

void GraphWindow::refreshSizeTexts() {
    const auto [width, height] = m_bench.sizeTexts();
    m_panel->setSizeTexts(toQString(width), toQString(height));
}

void GraphWindow::applyFormSize() {
    const GraphSettings& settings = m_bench.settings();
    if (settings.formWidth > 0 && settings.formHeight > 0 &&
        QSize(settings.formWidth, settings.formHeight) != size())
        resize(settings.formWidth, settings.formHeight);
}

// ---- Size -------------------------------------------------------------------------------------

void GraphWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    m_bench.settings().formWidth = width();
    m_bench.settings().formHeight = height();
    if (m_pendingWidth != 0 && width() == m_pendingWidth) {
        m_pendingWidth = 0;
        QTimer::singleShot(0, this, &GraphWindow::followCanvasSize);
    }
}

void GraphWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (m_shownOnce) return;
    m_shownOnce = true;
    // The first picture, once the canvas has its place on the screen.
    QTimer::singleShot(0, this, [this] {
        followCanvasSize();
        redraw();
    });
}

void GraphWindow::followCanvasSize() {
    if (m_pendingWidth != 0) return;  // the window is still widening or narrowing
    const QSize size = m_canvas->size();
    if (size == QSize(m_bench.canvas().width(), m_bench.canvas().height())) return;
    // Refused while a program runs; afterRun() catches up.
    if (m_bench.resizeCanvas(size.width(), size.height())) refreshSizeTexts();
}

void GraphWindow::runningChanged(bool running) {
    if (running && !m_busyLabel->isVisible()) m_busyTimer.start(kBusyDelayMs);
    if (!running) m_busyTimer.stop();
    if (running) m_controlsTimer.start();
    if (!running) m_controlsTimer.stop();
    m_presentationAction->setEnabled(!running);
    if (running && !m_sizeLocked) {
        // The window keeps its size while a program runs.
        m_lockedMinimum = minimumSize();
        m_lockedMaximum = maximumSize();
        setFixedSize(size());
        m_sizeLocked = true;
    }
    // Later, outside the redraw that announced the end; quick successive runs (a slider being
    // dragged) keep the lock until the window is idle.
    if (!running) QTimer::singleShot(0, this, &GraphWindow::afterRun);
}

void GraphWindow::showBusy(bool busy) {
    if (busy == m_busyLabel->isVisible()) return;
    m_busyLabel->setVisible(busy);
    if (busy) {
        QApplication::setOverrideCursor(Qt::BusyCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void GraphWindow::afterRun() {
    if (m_bench.isRunning()) return;
    showBusy(false);
    if (m_sizeLocked) {
        setMinimumSize(m_lockedMinimum);
        setMaximumSize(m_lockedMaximum);
        m_sizeLocked = false;
    }
    if (m_editor) m_editor->handOverProgram();
    refreshControls();
    followCanvasSize();
}

// ---- Commands ---------------------------------------------------------------------------------

void GraphWindow::redraw() {
    if (m_editor) m_editor->handOverProgram();
    m_bench.redraw();
}

void GraphWindow::showAndRedraw() {
    show();
    raise();
    activateWindow();
    redraw();
}

void GraphWindow::showEditor() {
    m_bench.resetProgramInterface();
    if (!m_editor) return;
    m_editor->show();
    m_editor->raise();
    m_editor->activateWindow();
    m_editor->addLateCommands();
}

void GraphWindow::setHelpWindow(HelpWindow* help) {
    m_help = help;
}

void GraphWindow::explainFormulaEntry() {
    m_bench.host().messageBox(kApplicationTitle, kFunctionEntryHelp, Host::Icon::None);
}

void GraphWindow::chooseFont() {
    const CanvasFont current = m_bench.windowFont();
    QFont shown(toQString(current.name), current.size);
    shown.setBold(current.bold);
    shown.setItalic(current.italic);
    shown.setUnderline(current.underline);
    const auto chosen = m_dialogs.font(this, {shown, qtColor(current.color)});
    if (!chosen) {
        redraw();
        return;
    }
    CanvasFont font = current;
    font.name = toStdString(chosen->font.family());
    const int points = chosen->font.pointSize() > 0 ? chosen->font.pointSize() : current.size;
    font.size = std::clamp(points, FontDialog::kMinSize, FontDialog::kMaxSize);
    font.bold = chosen->font.bold();
    font.italic = chosen->font.italic();
    font.underline = chosen->font.underline();
    if (chosen->colour.isValid()) font.color = colourOf(chosen->colour);
    m_bench.setWindowFont(font);
}

void GraphWindow::savePreferences() {
    m_bench.savePreferences();
}

void GraphWindow::loadPreferences() {
    if (m_editor) m_editor->handOverProgram();
    m_bench.loadPreferences();
    refreshFields();
}

void GraphWindow::exportDrawing(const FileDialogRequest& request,
                                bool (Workbench::*write)(const Workbench::PathChoice&)) {
    // Nothing while a program runs or waits at its stop point.
    if (m_bench.isRunning() || m_bench.isPaused()) return;
    if (m_editor) m_editor->handOverProgram();
    // The file is asked for once the drawing has been recorded.
    (m_bench.*write)([this, &request]() -> std::optional<std::string> {
        if (const auto path = m_dialogs.saveFileName(this, request)) return toStdString(*path);
        return std::nullopt;
    });
}

void GraphWindow::exportPdf() {
    exportDrawing({QString(), QStringLiteral("tekening.pdf"), QStringLiteral("pdf (*.pdf)"),
                   QStringLiteral("pdf")},
                  &Workbench::exportPdf);
}

void GraphWindow::exportEepic() {
    exportDrawing({QString(), QString::fromLatin1(kDefaultEepicName),
                   QStringLiteral("texfile (*.tex)"), QStringLiteral("tex")},
                  &Workbench::exportEepic);
}

void GraphWindow::exportMetafile() {
    exportDrawing({QString(), QString::fromLatin1(kDefaultMetafileName),
                   QStringLiteral("Metafile (*.svg)"), QStringLiteral("svg")},
                  &Workbench::exportMetafile);
}

void GraphWindow::exportTikz() {
    exportDrawing({QString(), QString::fromLatin1(kDefaultTikzName),
                   QStringLiteral("TikZ (*.tikz *.tex)"), QStringLiteral("tikz")},
                  &Workbench::exportTikz);
}

// ---- Zoom, pan and trace on the canvas ----------------------------------------------------------

void GraphWindow::connectCanvas() {
    connect(m_canvas, &CanvasView::mousePressed, this, &GraphWindow::canvasPressed);
    connect(m_canvas, &CanvasView::mouseMoved, this, &GraphWindow::canvasMoved);
    connect(m_canvas, &CanvasView::mouseReleased, this, &GraphWindow::canvasReleased);
    connect(m_canvas, &CanvasView::wheelTurned, this, &GraphWindow::canvasWheel);
    connect(m_canvas, &CanvasView::pointerLeft, this, [this] { showPointer(std::nullopt); });
    // After every redraw the readout and the marks belong to the new picture.
    connect(&m_bench, &Workbench::redrawn, this, [this] { showPointer(m_pointer); });
}

void GraphWindow::canvasPressed(QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers modifiers) {
    if (auto button = workbenchButton(b)) m_bench.mouseDown(p.x(), p.y(), *button);
    const bool panButton =
        b == Qt::MiddleButton || (b == Qt::LeftButton && modifiers.testFlag(Qt::ControlModifier));
    if (panButton && m_bench.settings().mouseNavigation && m_bench.startPan(p.x(), p.y()))
        m_panButton = b;
}

void GraphWindow::canvasMoved(QPoint p, Qt::MouseButtons b) {
    m_pointer = p;
    if (m_bench.panning()) {
        if (m_bench.panTo(p.x(), p.y())) redraw();
    } else {
        m_bench.mouseMove(p.x(), p.y(), b.testFlag(Qt::LeftButton));
    }
    showPointer(p);
}

void GraphWindow::canvasReleased(QPoint p, Qt::MouseButton b) {
    if (b == m_panButton) {
        m_bench.endPan();
        m_panButton = Qt::NoButton;
    }
    if (auto button = workbenchButton(b)) m_bench.mouseUp(p.x(), p.y(), *button);
}

void GraphWindow::canvasWheel(QPoint p, int notches) {
    if (m_bench.settings().mouseNavigation && m_bench.zoomAt(p.x(), p.y(), notches)) redraw();
}

void GraphWindow::restoreStandardWindow() {
    if (m_bench.restoreStandardWindow()) redraw();
}

void GraphWindow::showPointer(std::optional<QPoint> pixel) {
    m_pointer = pixel;
    if (!pixel) {
        m_pointerReadout->clear();
        m_canvas->setMarks({});
        return;
    }
    TraceReadout readout = m_bench.traceAt(pixel->x(), pixel->y(), m_bench.settings().trace);
    m_pointerReadout->setText(toQString(readout.text));
    m_canvas->setMarks(std::move(readout.marks));
}

FunctionTableWindow* GraphWindow::functionTable() {
    if (!m_functionTable) {
        m_functionTable = new FunctionTableWindow(m_bench, this);
        m_functionTable->startFromWindow();
    }
    return m_functionTable;
}

void GraphWindow::showFunctionTable() {
    bringToFront(functionTable());
}

// ---- Swatches ---------------------------------------------------------------------------------

void GraphWindow::swatchClicked(SidePanel::SwatchKind kind, int index, Qt::MouseButton button) {
    const bool left = button == Qt::LeftButton;
    const bool right = button == Qt::RightButton;
    using Kind = SidePanel::SwatchKind;
    if (kind == Kind::Fill) {
        if (left) m_bench.nextFillPattern();
        if (right) {
            const FillSwatch& fill = m_bench.fillSwatch();
            if (auto colour = m_dialogs.color(this, qtColor(fill.colour)))
                m_bench.setFillColour(colourOf(*colour));
        }
        m_panel->refresh();
        return;
    }
    const SwatchId id = kind == Kind::Axis   ? SwatchId::Axis
                        : kind == Kind::Grid ? SwatchId::Grid
                                             : static_cast<SwatchId>(index);
    if (left) {
        const auto colour = m_dialogs.color(this, qtColor(m_bench.swatch(id).colour));
        if (colour) {
            m_bench.setSwatchColour(id, colourOf(*colour));
        } else if (kind == Kind::Function) {
            redraw();  // the function swatches redraw whatever the answer
        }
    } else if (right && kind != Kind::Grid) {
        askLineWidth(static_cast<int>(id));
    }
    m_panel->refresh();
}

void GraphWindow::askLineWidth(int swatchId) {
    const auto id = static_cast<SwatchId>(swatchId);
    const QString current = QString::number(m_bench.swatch(id).width);
    const auto answer =
        m_dialogs.text(this, toQString(kLineWidthCaption), toQString(kLineWidthPrompt), current);
    // A cancelled box answers with the width it showed.
    m_bench.setSwatchWidth(id, toStdString(answer.value_or(current)));
}

// ---- Keys and the program's end -----------------------------------------------------------

bool GraphWindow::keyReachesWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != this) return false;
    // Qt offers a key to the focus widget first and then to its parents; count it once.
    QWidget* focus = QApplication::focusWidget();
    return widget == (focus != nullptr ? focus : this);
}

bool GraphWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && keyReachesWindow(watched)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int code = virtualKeyCode(key->key(), key->modifiers());
        if (code != 0 && m_bench.keyPressed(code)) return true;
    } else if (event->type() == QEvent::FocusIn) {
        for (int i = 0; i < 2; ++i)
            if (watched == m_sliders[i]) m_bench.sliderEntered(i);
    }
    return QMainWindow::eventFilter(watched, event);
}

void GraphWindow::closeEvent(QCloseEvent* event) {
    // Closing ends the program: unsaved program text is offered for saving first.
    if (m_editor && !m_editor->confirmDiscard()) {
        event->ignore();
        return;
    }
    // A running program ends at its next loop end, as with Escape.
    m_bench.environment().flags.abort = true;
    m_bench.setStartupComplete(false);
    event->accept();
    QMainWindow::closeEvent(event);
}

}  // namespace kalvor
