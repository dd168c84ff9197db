#include "editor/EditorWindow.h"

#include "app/AppWindows.h"
#include "editor/AutomatTab.h"
#include "editor/BowlTab.h"
#include "editor/FileCommands.h"
#include "editor/GroupTab.h"
#include "editor/JetTab.h"
#include "editor/ManualTab.h"
#include "editor/OptionsTab.h"
#include "show/MusicPanel.h"
#include "widgets/Controls.h"

#include <QButtonGroup>
#include <QLabel>
#include <QGridLayout>
#include <QScrollArea>
#include <QToolButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

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
    tabs_->setDocumentMode(true);

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
        {manual_, "TabSheetManual", tr("Управление")},
        {bowl_, "TabSheetCup", tr("Чаша")},
        {jet_, "TabSheetJet", tr("Ред.Струи")},
        {group_, "TabSheetGroups", tr("Группы")},
        {automat_, "TabSheetAvtomat", tr("Автомат")},
        {options_, "TabSheetOptions", tr("Oпции")},
    };
    for (const auto& p : pages) {
        nameCaptioned(p.page, QString::fromLatin1(p.name));
        tabs_->addTab(scrolling(p.page), p.caption);
    }
    layout->addWidget(buildTabRows());
    layout->addWidget(tabs_, 1);

    wholeMessage_ = makeLabel(this, "LabelStatusMessage", QString());
    wholeMessage_->setWordWrap(true);
    wholeMessage_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    wholeMessage_->hide();
    layout->addWidget(wholeMessage_);
    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName("StatusBar");
    statusBar_->setSizeGripEnabled(true);
    layout->addWidget(statusBar_);
    connect(statusBar_, &QStatusBar::messageChanged, this, &EditorWindow::showMessageWhole);
    automat_->music().attachStatusBar(statusBar_);

    files_ = new FileCommands(state_, *this);

    resize(220, 700);
}

EditorWindow::~EditorWindow() = default;

void EditorWindow::tell(const QString& text)
{
    // Twenty seconds to notice it, and a tenth of a second more for each character to read.
    const int readingMs = std::min(20000 + int(text.size()) * 100, 120000);
    statusBar_->showMessage(text, readingMs);
}

void EditorWindow::showMessageWhole(const QString& text)
{
    if (!text.isEmpty())
        statusBar_->setToolTip(text);
    const bool cut = statusBar_->fontMetrics().horizontalAdvance(text) > statusBar_->contentsRect().width() - 8;
    wholeMessage_->setText(text);
    wholeMessage_->setVisible(!text.isEmpty() && cut);
}

QWidget* EditorWindow::buildTabRows()
{
    // Six tabs do not fit one row of a 220 pixel window: show them in two rows,
    // the way a multi-line tab control does, and keep the tab widget's own bar hidden.
    tabs_->tabBar()->hide();
    auto* rows = new QWidget(this);
    rows->setObjectName("TabRows");
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(2, 2, 2, 0);
    grid->setSpacing(1);
    auto* group = new QButtonGroup(rows);
    group->setExclusive(true);
    constexpr int kPerRow = 3;
    QFont tight = rows->font();
    tight.setPointSizeF(tight.pointSizeF() * 0.9);
    rows->setFont(tight);
    for (int i = 0; i < tabs_->count(); ++i) {
        auto* button = new QToolButton(rows);
        button->setText(tabs_->tabText(i));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed); // a third of the width each
        nameCaptioned(button, QStringLiteral("TabButton%1").arg(i + 1));
        group->addButton(button, i);
        grid->addWidget(button, i / kPerRow, i % kPerRow);
    }
    group->button(tabs_->currentIndex())->setChecked(true);
    connect(group, &QButtonGroup::idClicked, tabs_, &QTabWidget::setCurrentIndex);
    connect(tabs_, &QTabWidget::currentChanged, group,
            [group](int index) { group->button(index)->setChecked(true); });
    return rows;
}

SceneSettings EditorWindow::sceneSettings() const
{
    return bowl_->sceneSettings();
}

void EditorWindow::UpdateOnlyButtonGroup()
{
    group_->UpdateOnlyButtonGroup();
}

} // namespace pluviane
