#include "editor/EditorWindow.h"

#include "app/AppWindows.h"
#include "app/Controls.h"
#include "editor/AutomatTab.h"
#include "editor/BowlTab.h"
#include "editor/FileCommands.h"
#include "editor/GroupTab.h"
#include "editor/JetTab.h"
#include "editor/ManualTab.h"
#include "editor/OptionsTab.h"

#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace pluviane {

namespace {

// Tabs scroll vertically: the window is narrow and some tabs are tall.
QWidget* scrolling(QWidget* page)
{
    auto* area = new QScrollArea;
    area->setWidget(page);
    area->setWidgetResizable(true);
    area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    area->setFrameShape(QFrame::NoFrame);
    return area;
}

} // namespace

EditorWindow::EditorWindow(FountainState& state, AppWindows& windows)
    : QWidget(nullptr, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      state_(state), windows_(windows)
{
    setObjectName("frmOptions");
    setWindowTitle(QStringLiteral("fontan01.wat"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    toolBar_ = new QToolBar(this);
    toolBar_->setObjectName("ToolBar1");
    toolBar_->setIconSize(QSize(16, 16));
    layout->addWidget(toolBar_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("PageControl1");
    tabs_->setUsesScrollButtons(true);
    tabs_->tabBar()->setExpanding(false);
    tabs_->setDocumentMode(true);
    // Six tabs in a 220 pixel window: tight tabs, and scroll arrows for the rest.
    tabs_->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 2px 3px; }"));
    layout->addWidget(tabs_, 1);

    manual_ = new ManualTab(state_, *this);
    bowl_ = new BowlTab(state_, *this);
    jet_ = new JetTab(state_, *this);
    group_ = new GroupTab(state_, *this);
    automat_ = new AutomatTab(state_, *this);
    options_ = new OptionsTab(state_, *this);

    const struct {
        QWidget* page;
        const char* name;
        QString caption;
    } pages[] = {
        {manual_, "TabSheetManual", QStringLiteral("Управление")},
        {bowl_, "TabSheetCup", QStringLiteral("Чаша")},
        {jet_, "TabSheetJet", QStringLiteral("Ред.Струи")},
        {group_, "TabSheetGroups", QStringLiteral("Группы")},
        {automat_, "TabSheetAvtomat", QStringLiteral("Автомат")},
        {options_, "TabSheetOptions", QStringLiteral("Oпции")},
    };
    for (const auto& p : pages) {
        nameCaptioned(p.page, QString::fromLatin1(p.name));
        tabs_->addTab(scrolling(p.page), p.caption);
    }

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(true);
    layout->addWidget(statusBar_);

    files_ = new FileCommands(state_, *this);

    resize(220, 700);
}

EditorWindow::~EditorWindow() = default;

SceneSettings EditorWindow::sceneSettings() const
{
    return bowl_->sceneSettings();
}

void EditorWindow::UpdateOnlyButtonGroup()
{
    group_->UpdateOnlyButtonGroup();
}

} // namespace pluviane
