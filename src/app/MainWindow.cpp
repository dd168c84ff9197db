#include "app/MainWindow.h"

#include "app/AppWindows.h"
#include "app/PresetList.h"
#include "app/SceneView.h"
#include "app/WindowPlacement.h"
#include "editor/BowlTab.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "info/AboutWindow.h"
#include "model/Random.h"
#include "render/ViewInput.h"
#include "video/FountainRender.h"
#include "widgets/Controls.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QWindow>

namespace pluviane {

namespace {
constexpr int kRenderIntervalMs = 50;
constexpr int kPanelHeight = 57;

// The panels on the black view use the ordinary light window colours.
void useLightPalette(QWidget* panel)
{
    QPalette light = QApplication::palette(panel);
    light.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    light.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(light);
}

} // namespace

QString nozzleCountText(int count)
{
    return MainWindow::tr("Форсунок всего : ") + QString::number(count);
}

MainWindow::MainWindow(FountainState& state, AppWindows& windows)
    : QWidget(nullptr), state_(state), windows_(windows)
{
    setObjectName("Form1");
    setWindowTitle(tr("Визуализация фонтанов"));
    setCursor(Qt::SizeAllCursor);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);

    presets_ = new PresetList(state_, windows_, *this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildPanel());
    scene_ = new SceneView(state_, this);
    // The tick reads the editor's controls; the editor exists before the first tick.
    scene_->setSettingsSource([this] { return windows_.editor().sceneSettings(); });
    // A main window inside the window, only for its dock area along the view's foot.
    dockHost_ = new QMainWindow(this);
    dockHost_->setWindowFlags(Qt::Widget); // the constructor always makes it a window
    dockHost_->setObjectName(QStringLiteral("DockHost"));
    dockHost_->setCentralWidget(scene_);
    layout->addWidget(dockHost_, 1);
    setFocusProxy(scene_);
    scene_->setFocus();

    recordBox_ = makeGroupBox(this, "GroupBox1", tr("Запись кнопок быстрого перехода "));
    recordBox_->setAutoFillBackground(true);
    recordBox_->setCursor(Qt::ArrowCursor);
    useLightPalette(recordBox_);
    presets_->buildRecorder(recordBox_);
    recordBox_->move(8, kPanelHeight + 8);
    recordBox_->adjustSize();
    recordBox_->hide();

    timer1_.setObjectName("Timer1");
    timer1_.setInterval(kRenderIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, &MainWindow::Timer1Timer);
    connect(scene_, &SceneView::ready, &timer1_, qOverload<>(&QTimer::start));

    FormCreate();
}

MainWindow::~MainWindow()
{
    // No tick may draw into a context that is going away.
    timer1_.stop();
}

QWidget* MainWindow::buildPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName("Panel1");
    panel->setFixedHeight(kPanelHeight);
    panel->setAutoFillBackground(true);
    panel->setCursor(Qt::ArrowCursor);

    auto* rows = new QVBoxLayout(panel);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(2);

    auto* buttons = new QHBoxLayout;
    buttons->setObjectName("PresetRow");
    buttons->setSpacing(2);
    presets_->addSlotButtons(panel, buttons);
    buttons->addStretch(1);
    auto* editor = makeButton(panel, "SpeedButtonShowEditor", tr("Редактор"),
                              tr("Показать окно редактора (%1)").arg(kShowEditorKeys.toString(QKeySequence::NativeText)));
    editor->setFocusPolicy(Qt::NoFocus);
    connect(editor, &QPushButton::clicked, this, [this] { windows_.showEditor(); });
    buttons->addWidget(editor);
    auto* iso = makeButton(panel, "SpeedButtonIso", QStringLiteral("ISOMETR"));
    // The keyboard belongs to the 3D view: arrows turn it, Space presses nothing.
    iso->setFocusPolicy(Qt::NoFocus);
    connect(iso, &QPushButton::clicked, this, &MainWindow::SpeedButtonIsoClick);
    buttons->addWidget(iso);
    rows->addLayout(buttons);

    auto* labels = new QHBoxLayout;
    labelNozzles_ = makeLabel(panel, "Labelforsunok", tr("Форсунок всего : "));
    labels->addWidget(labelNozzles_);
    labels->addSpacing(120);
    // The cost takes the rest of the row and no more (it elides a long text).
    labels->addWidget(presets_->makeCostLabel(panel), 1);
    rows->addLayout(labels);

    useLightPalette(panel);
    return panel;
}

void MainWindow::FormCreate()
{
    setStartValues(state_, processRandom());
    // The OpenGL set-up runs when the view first gets its context; the default
    // backdrop waits for it there, and so does the render tick.
    // Found as the tools find it, so a program started from a launcher has it too.
    if (const QString backdrop = defaultBackdrop(); !backdrop.isEmpty())
        scene_->loadBackdrop(backdrop);
    showNozzleCount();
}

void MainWindow::showNozzleCount()
{
    labelNozzles_->setText(nozzleCountText(nozzleCount(state_)));
}

bool MainWindow::OpenFontanFile(const QString& name)
{
    return windows_.editor().fileCommands().OpenFontanFile(name);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Restoring from the task bar is not a new show.
    if (!event->spontaneous())
        ArrangeWindows();
}

void MainWindow::ArrangeWindows()
{
    windows_.about().hide();
    // The screen less the desktop's panels: every frame, title bars included,
    // stays where the user can reach it.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect area = workArea();
    const int height = std::min(area.height(), screen.height() - 50);
    EditorWindow& editor = windows_.editor();
    // Placed before it is shown, so the window manager maps it there.
    const QRect editorFrame(area.left(), area.top(), 220, height);
    placeFrame(editor, editorFrame);
    editor.show();
    placeFrame(editor, editorFrame); // its layout, now active, may have grown it
    placeFrame(*this, QRect(area.left() + 220, area.top(), area.width() - 220, height));
}

void MainWindow::placeAtFootOfView(QWidget& window, int height)
{
    const QRect view = frameGeometry();
    placeFrame(window, keptInside(QRect(view.left(), view.bottom() + 1 - height, view.width(), height), workArea()));
}

void MainWindow::showDocked(QWidget& content)
{
    if (dock_ == nullptr) {
        dock_ = new QDockWidget(content.windowTitle(), dockHost_);
        dock_->setObjectName(QStringLiteral("DockTimeline"));
        dock_->setCursor(Qt::ArrowCursor);
        useLightPalette(dock_);
        dock_->setAutoFillBackground(true);
        dock_->setAllowedAreas(Qt::BottomDockWidgetArea | Qt::TopDockWidgetArea);
        dock_->setWidget(&content);
        dockHost_->addDockWidget(Qt::BottomDockWidgetArea, dock_);
        dockHost_->resizeDocks({dock_}, {std::min(300, height() / 2)}, Qt::Vertical);
    }
    content.show();
    dock_->show();
    dock_->raise();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!windows_.editor().fileCommands().mayLeaveFountain(this)) {
        event->ignore();
        return;
    }
    timer1_.stop();
    QWidget::closeEvent(event);
    QCoreApplication::quit();
}

void MainWindow::Timer1Timer()
{
    advanceFieldSpin(state_, scene_->currentSettings().fieldSpin);
    scene_->update();
}

void MainWindow::SpeedButtonIsoClick()
{
    BowlTab& bowl = windows_.editor().bowlTab();
    bowl.spinBar()->setValue(50);
    bowl.cupCheck()->setChecked(false);
    bowl.backdropCheck()->setChecked(false);
    setIsometricView(state_);
}

} // namespace pluviane
