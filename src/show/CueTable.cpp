#include "show/CueTable.h"

#include "model/ShowTrack.h"

#include <QHeaderView>
#include <QItemSelection>
#include <QRegularExpression>

#include <cmath>

namespace pluviane {

namespace {

QString exactTime(std::int64_t ms)
{
    return QStringLiteral("%1:%2.%3")
        .arg(ms / 60000)
        .arg(ms / 1000 % 60, 2, 10, QLatin1Char('0'))
        .arg(ms % 1000, 3, 10, QLatin1Char('0'));
}

// A row's transition in the label files' words: a scene's change, a form's ramp.
QString rowTransition(const ShowCue& cue, TrackRow row)
{
    return transitionText(cuePart(cue, row));
}

} // namespace

std::int64_t parseCueTime(const QString& text)
{
    static const QRegularExpression clock(QStringLiteral("^\\s*(\\d+):(\\d{1,2}(?:[.,]\\d*)?)\\s*$"));
    double seconds = -1;
    if (const QRegularExpressionMatch m = clock.match(text); m.hasMatch())
        seconds = m.captured(1).toDouble() * 60 + QString(m.captured(2)).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    else {
        bool ok = false;
        seconds = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
        if (!ok)
            return -1;
    }
    if (!std::isfinite(seconds) || seconds < 0 || seconds * 1000 > double(kMaxCueTimeMs))
        return -1;
    return std::llround(seconds * 1000);
}

CueTableModel::CueTableModel(ShowTrack& track, QObject* parent) : QAbstractTableModel(parent), track_(track)
{
    reload();
}

void CueTableModel::reload()
{
    beginResetModel();
    items_ = allItems(track_);
    endResetModel();
}

int CueTableModel::rowOf(const CueRef& item) const
{
    auto it = std::lower_bound(items_.begin(), items_.end(), item);
    return it != items_.end() && *it == item ? int(it - items_.begin()) : -1;
}

int CueTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(items_.size()); }

int CueTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant CueTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= items_.size() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const CueRef item = items_[std::size_t(index.row())];
    if (std::size_t(item.cue) >= track_.cues.size())
        return {};
    const ShowCue& cue = track_.cues[std::size_t(item.cue)];
    switch (index.column()) {
    case TimeColumn:
        return exactTime(cue.timeMs);
    case KindColumn:
        return item.row == FormRow ? tr("форма") : tr("сцена");
    case NumberColumn:
        return rowNumber(cue, item.row);
    case TransitionColumn:
        if (role == Qt::DisplayRole && item.row == SceneRow && cue.change == SceneChange::Sweep)
            return tr("перебор");
        return rowTransition(cue, item.row);
    default:
        return {};
    }
}

QVariant CueTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case TimeColumn:
        return tr("Время");
    case KindColumn:
        return tr("Вид");
    case NumberColumn:
        return tr("Номер");
    case TransitionColumn:
        return tr("Переход");
    default:
        return {};
    }
}

Qt::ItemFlags CueTableModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.column() != KindColumn)
        flags |= Qt::ItemIsEditable;
    return flags;
}

bool CueTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid() || std::size_t(index.row()) >= items_.size())
        return false;
    const CueRef item = items_[std::size_t(index.row())];
    ShowCue& cue = track_.cues[std::size_t(item.cue)];
    CueRef became = item;
    switch (index.column()) {
    case TimeColumn: {
        const std::int64_t ms = parseCueTime(value.toString());
        if (ms < 0) {
            emit refused(tr("Время «%1»: нужно м:сс.ммм от 0 до 4 часов").arg(value.toString()));
            return false;
        }
        const CueSelection moved = moveItems(track_, {item}, ms - cue.timeMs);
        if (!moved.empty())
            became = moved.front();
        break;
    }
    case NumberColumn: {
        bool ok = false;
        const int number = value.toString().trimmed().toInt(&ok);
        if (!ok || number < 1 || number > kMaxCueNumber) {
            emit refused(tr("Номер «%1»: нужно от 1 до %2").arg(value.toString()).arg(kMaxCueNumber));
            return false;
        }
        (item.row == FormRow ? cue.form : cue.scene) = number;
        break;
    }
    case TransitionColumn: {
        ShowCue read = cue;
        const QString text = value.toString().trimmed() == tr("перебор") ? QString() : value.toString();
        // A form row takes a ramp only, a scene row a change only.
        if (!readTransitionText(text, read) ||
            (item.row == FormRow ? read.change != SceneChange::Sweep : read.rampMs != 0)) {
            emit refused(item.row == FormRow ? tr("Переход формы: ramp=мс (до 60000) или пусто")
                                             : tr("Переход сцены: cut, sweep или fade=мс (до 60000)"));
            return false;
        }
        if (item.row == FormRow)
            cue.rampMs = read.rampMs;
        else
            cue.change = read.change, cue.fadeMs = read.fadeMs;
        break;
    }
    default:
        return false;
    }
    reload();
    emit edited(became);
    return true;
}

CueTable::CueTable(ShowTrack& track, QWidget* parent) : QTableView(parent), model_(track)
{
    setObjectName(QStringLiteral("TableCues"));
    setAccessibleName(QStringLiteral("TableCues"));
    setModel(&model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(CueTableModel::TimeColumn, fontMetrics().horizontalAdvance(QStringLiteral("000:00.0000")));
    setColumnWidth(CueTableModel::KindColumn, fontMetrics().horizontalAdvance(CueTableModel::tr("сцена")) + 16);
    setColumnWidth(CueTableModel::NumberColumn, fontMetrics().horizontalAdvance(CueTableModel::tr("Номер")) + 12);
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, &CueTable::pickedRows);
}

void CueTable::reload()
{
    echoing_ = true;
    model_.reload();
    echoing_ = false;
}

void CueTable::showSelection(const CueSelection& selection)
{
    QItemSelection rows;
    int start = -1, previous = -2;
    auto close = [&] {
        if (start >= 0)
            rows.select(model_.index(start, 0), model_.index(previous, CueTableModel::ColumnCount - 1));
    };
    // Neighbouring rows go as one range: a selection of thousands stays quick.
    for (const CueRef& item : selection) {
        const int row = model_.rowOf(item);
        if (row < 0)
            continue;
        if (row != previous + 1) {
            close();
            start = row;
        }
        previous = row;
    }
    close();
    echoing_ = true;
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    if (!selection.empty())
        if (const int row = model_.rowOf(selection.front()); row >= 0)
            scrollTo(model_.index(row, 0));
    echoing_ = false;
}

void CueTable::pickedRows()
{
    if (echoing_)
        return;
    CueSelection picked;
    for (const QModelIndex& row : selectionModel()->selectedRows())
        picked.push_back(model_.items()[std::size_t(row.row())]);
    std::sort(picked.begin(), picked.end());
    emit selectionPicked(picked);
}

} // namespace pluviane
