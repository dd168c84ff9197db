#include "show/DraftShowDialog.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

#include <QCoreApplication>

namespace pluviane {

namespace {

QString rowsText(const std::vector<DraftRow>& rows)
{
    return rows.size() == 1 ? QString::number(rows.front().row)
                            : QStringLiteral("%1..%2").arg(rows.front().row).arg(rows.back().row);
}

} // namespace

std::optional<MusicFileDraft> draftWithProgress(QWidget* parent, const QString& musicPath, const FountainState& state,
                                                int formCount, int sceneCount, DraftDensity density)
{
    // The worker reads its own copy: the window stays free to repaint and the
    // fountain is not read while it changes.
    auto copy = std::make_shared<FountainState>(state);
    auto done = std::make_shared<std::atomic<int>>(0); // per mille
    auto cancel = std::make_shared<std::atomic<bool>>(false);
    auto result = std::make_shared<MusicFileDraft>();
    std::unique_ptr<QThread> worker(QThread::create([=] {
        *result = draftShowForMusic(musicPath, *copy, formCount, sceneCount, [=](double f) {
            done->store(int(f * 1000));
            return !cancel->load();
        }, density);
    }));

    QProgressDialog progress(QCoreApplication::translate("pluviane::DraftShowDialog",
                                                         "Черновик по музыке: ") + QFileInfo(musicPath).fileName(),
                             QCoreApplication::translate("pluviane::DraftShowDialog",
                                                         "Отмена"), 0, 1000, parent);
    progress.setObjectName(QStringLiteral("ProgressDraftShow"));
    progress.setWindowTitle(QCoreApplication::translate("pluviane::DraftShowDialog", "Черновик по музыке"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &progress, [&] { progress.setValue(std::min(999, done->load())); });
    QObject::connect(&progress, &QProgressDialog::canceled, &progress, [&] { cancel->store(true); });
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    poll.start(50);
    worker->start();
    loop.exec();
    worker->wait();
    progress.reset();
    if (cancel->load() || result->cancelled)
        return std::nullopt;
    return *result;
}

QString describeDraft(const MusicFileDraft& made)
{
    if (!made.error.isEmpty())
        return QCoreApplication::translate("pluviane::DraftShowDialog",
                                           "Музыку не удалось прочитать:\r\n") + made.error;
    const ShowDraft& d = made.draft;
    if (d.problem == ShowDraft::NoGroups)
        return QCoreApplication::translate("pluviane::DraftShowDialog",
                                           "Ни у одной группы 1..12 нет форсунок:\r\nчерновику нечем играть.");
    if (d.problem == ShowDraft::NoMusic)
        return QCoreApplication::translate("pluviane::DraftShowDialog", "В музыке нет звука.");
    QStringList lines;
    if (d.defaultTempo)
        lines << QCoreApplication::translate("pluviane::DraftShowDialog",
                                             "Ударов не найдено: реплики по вступлениям звуков и фразам.");
    else
        lines << QCoreApplication::translate("pluviane::DraftShowDialog",
                                             "Темп %1 уд/мин.").arg(made.music.tempo, 0, 'f', 1);
    lines << QCoreApplication::translate("pluviane::DraftShowDialog", "Реплик: %1.").arg(d.track.cues.size());
    if (d.formsAlike)
        lines << QCoreApplication::translate("pluviane::DraftShowDialog",
                                             "Записанные формы слишком похожи друг на друга.");
    if (!d.newForms.empty())
        lines << QCoreApplication::translate("pluviane::DraftShowDialog",
                                             "Записаны свои формы %1.").arg(rowsText(d.newForms));
    if (!d.newScenes.empty())
        lines << QCoreApplication::translate("pluviane::DraftShowDialog",
                                             "Записаны свои сцены %1.").arg(rowsText(d.newScenes));
    if (d.outOfRows)
        lines << QCoreApplication::translate("pluviane::DraftShowDialog",
                                             "Не хватило свободных строк для всех своих форм и сцен.");
    if (d.thinned)
        lines << QCoreApplication::translate("pluviane::DraftShowDialog",
                                             "Смен форм меньше, чем просит музыка: иначе партитура не вмещается.");
    return lines.join(QStringLiteral("\r\n"));
}

} // namespace pluviane
