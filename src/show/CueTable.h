#pragma once

#include "model/TrackEdit.h"

#include <QAbstractTableModel>
#include <QTableView>

namespace pluviane {

// The track's numbers as rows, in time order: time, kind, number and
// transition, each but the kind editable in place.
class CueTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TimeColumn, KindColumn, NumberColumn, TransitionColumn, ColumnCount };

    explicit CueTableModel(ShowTrack& track, QObject* parent = nullptr);

    // Call after the track changed.
    void reload();
    const CueSelection& items() const { return items_; }
    int rowOf(const CueRef& item) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

signals:
    // An edit in place changed the track; `item` is what the edited row became.
    void edited(CueRef item);
    void refused(const QString& why);

private:
    ShowTrack& track_;
    CueSelection items_;
};

// "m:ss.mmm" (or seconds) read back into milliseconds; -1 when it does not read.
std::int64_t parseCueTime(const QString& text);

// `TableCues`: the table beside the timeline; its selection is the timeline's.
class CueTable : public QTableView {
    Q_OBJECT
public:
    CueTable(ShowTrack& track, QWidget* parent = nullptr);

    CueTableModel& cues() { return model_; }
    void reload();
    // Selects the rows of `selection` without echoing it back.
    void showSelection(const CueSelection& selection);

signals:
    void selectionPicked(const CueSelection& selection);

private:
    void pickedRows();

    CueTableModel model_;
    bool echoing_ = false;
};

} // namespace pluviane
