<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en_US">
<context>
    <name>DraftTool</name>
    <message>
        <source>The fountain file to write.</source>
        <translation>Файл фонтана, который записать.</translation>
    </message>
    <message>
        <source>Also write the cues as an Audacity label file.</source>
        <translation>Записать метки ещё и в файл меток Audacity.</translation>
    </message>
    <message>
        <source>The fountain file.</source>
        <translation>Файл фонтана.</translation>
    </message>
    <message>
        <source>The song (any format FFmpeg reads).</source>
        <translation>Песня (любой формат, который читает FFmpeg).</translation>
    </message>
    <message>
        <source>give a fountain file, a song and -o OUT.wat (see --help)</source>
        <translation>укажите файл фонтана, песню и -o OUT.wat (см. --help)</translation>
    </message>
    <message>
        <source>%1 is larger than a fountain file (64000 bytes)</source>
        <translation>%1 больше файла фонтана (64000 байт)</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>interrupted; %1 not written</source>
        <translation>прервано; %1 не записан</translation>
    </message>
    <message>
        <source>cannot decode %1: %2</source>
        <translation>не удаётся декодировать %1: %2</translation>
    </message>
    <message>
        <source>%1 has no nozzles in groups 1..12: there is no water to draft</source>
        <translation>в %1 нет форсунок в группах 1..12: черновику нечем играть</translation>
    </message>
    <message>
        <source>%1 holds no sound</source>
        <translation>в %1 нет звука</translation>
    </message>
    <message>
        <source>the drafted track does not fit the fountain file</source>
        <translation>партитура черновика не помещается в файл фонтана</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>tempo %1 beats a minute</source>
        <translation>темп %1 уд/мин</translation>
    </message>
    <message>
        <source>  from %1 s: %2 beats a minute</source>
        <translation>  с %1 с: %2 уд/мин</translation>
    </message>
    <message>
        <source>%1 cues</source>
        <translation>меток: %1</translation>
    </message>
    <message>
        <source>recorded forms %1 of its own</source>
        <translation>записаны свои формы %1</translation>
    </message>
    <message>
        <source>recorded scenes %1 of its own</source>
        <translation>записаны свои сцены %1</translation>
    </message>
    <message>
        <source>not all of its own forms and scenes fitted: the rows after the recorded ones are taken</source>
        <translation>не все свои формы и сцены поместились: заняты строки после записанных</translation>
    </message>
    <message>
        <source>fewer form changes than the music asks for, to fit the track</source>
        <translation>смен форм меньше, чем просит музыка, чтобы партитура поместилась</translation>
    </message>
    <message>
        <source>intro</source>
        <translation>вступление</translation>
    </message>
    <message>
        <source>chorus</source>
        <translation>припев</translation>
    </message>
    <message>
        <source>bridge</source>
        <translation>связка</translation>
    </message>
    <message>
        <source>outro</source>
        <translation>кода</translation>
    </message>
    <message>
        <source>verse</source>
        <translation>куплет</translation>
    </message>
    <message>
        <source>sections (%1):</source>
        <translation>части (%1):</translation>
    </message>
    <message>
        <source>  %1-%2 s  %3 %4, %5 bars, %6 LUFS, %7 form cues a minute, water %8 %</source>
        <translation>  %1-%2 с  %3 %4, тактов %5, %6 LUFS, смен форм в минуту %7, воды %8 %</translation>
    </message>
    <message>
        <source>accents: %1 of the %2 strongest hits have a form cue; %3 rests before a hit</source>
        <translation>акценты: у %1 из %2 сильнейших ударов есть смена формы; пауз перед ударом %3</translation>
    </message>
    <message>
        <source>form changes: %1, %2 % of them move at least a fifth of the nozzles; at most %3 in a row between the same two forms</source>
        <translation>смен форм: %1, из них %2 % меняют не меньше пятой части форсунок; подряд между одними и теми же двумя формами не больше %3</translation>
    </message>
    <message>
        <source>water: %1 % in the quietest 30 s, %2 % in the loudest; dry %3 s of %4 s</source>
        <translation>вода: %1 % в самые тихие 30 с, %2 % в самые громкие; сухо %3 с из %4 с</translation>
    </message>
    <message>
        <source>Drafts the show of a fountain file (.wat) from a song: as much water as the
music is loud, forms held in calm passages and changing on the bar or the beat
as it grows, a cue on every strong hit, a new scene at every section of the song.
The fountain&apos;s recorded forms and scenes are used; when there are too few that
differ, the draft records its own into free rows. The result is written as the
file&apos;s show track.</source>
        <translation>Составляет шоу файла фонтана (.wat) по песне: воды столько, сколько громкая
музыка, в спокойных местах формы держатся, по мере нарастания меняются по тактам
или по долям, на каждом сильном ударе своя реплика, в каждой части песни новая
сцена. Берутся записанные формы и сцены фонтана; если различных слишком мало,
черновик записывает свои в свободные строки. Результат пишется как партитура файла.</translation>
    </message>
    <message>
        <source>How often the forms change: low, medium (the default) or high.</source>
        <translation>Как часто меняются формы: low (реже), medium (обычно, по умолчанию) или high (чаще).</translation>
    </message>
    <message>
        <source>Also print the tempo sections, the sections of the song, the cues a minute in each, the accents taken and the dry time.</source>
        <translation>Также напечатать участки темпа, части песни, реплики в минуту в каждой, взятые акценты и время без воды.</translation>
    </message>
    <message>
        <source>--density takes low, medium or high, not &quot;%1&quot;</source>
        <translation>--density принимает low, medium или high, а не &quot;%1&quot;</translation>
    </message>
    <message>
        <source>no beat found: cues follow the onsets and the phrases</source>
        <translation>ударов не найдено: реплики по вступлениям звуков и фразам</translation>
    </message>
    <message>
        <source>the recorded forms differ too little from each other</source>
        <translation>записанные формы слишком мало отличаются друг от друга</translation>
    </message>
</context>
<context>
    <name>PlayTool</name>
    <message>
        <source>--%1 takes a number, not &quot;%2&quot;</source>
        <translation>--%1 ждёт число, а не «%2»</translation>
    </message>
    <message>
        <source>Plays the show of a fountain file to DMX through OLA, with no display.</source>
        <translation>Играет шоу файла фонтана в DMX через OLA, без экрана.</translation>
    </message>
    <message>
        <source>The fountain file.</source>
        <translation>Файл фонтана.</translation>
    </message>
    <message>
        <source>OLA universe (default 1).</source>
        <translation>Вселенная OLA (по умолчанию 1).</translation>
    </message>
    <message>
        <source>First level channel (default 1).</source>
        <translation>Первый канал уровней (по умолчанию 1).</translation>
    </message>
    <message>
        <source>First colour channel (default 17).</source>
        <translation>Первый канал цветов (по умолчанию 17).</translation>
    </message>
    <message>
        <source>Sound file played with the show.</source>
        <translation>Звуковой файл, который играет вместе с шоу.</translation>
    </message>
    <message>
        <source>Play on until stopped (the music starts over).</source>
        <translation>Играть, пока не остановят (музыка начинается снова).</translation>
    </message>
    <message>
        <source>OLA daemon&apos;s RPC port (default 9010).</source>
        <translation>Порт RPC демона OLA (по умолчанию 9010).</translation>
    </message>
    <message>
        <source>name one fountain file (see --help)</source>
        <translation>укажите один файл фонтана (см. --help)</translation>
    </message>
    <message>
        <source>--ola-port must be 1..65535</source>
        <translation>--ola-port должен быть от 1 до 65535</translation>
    </message>
    <message>
        <source>OLA takes the frames</source>
        <translation>OLA принимает кадры</translation>
    </message>
    <message>
        <source>no connection to OLA; trying again every 3 s</source>
        <translation>нет связи с OLA; новая попытка каждые 3 с</translation>
    </message>
    <message>
        <source>the music does not play (%1); the show goes on</source>
        <translation>музыка не играет (%1); шоу идёт дальше</translation>
    </message>
    <message>
        <source>Ctrl+C cannot be caught; stop with care</source>
        <translation>Ctrl+C не перехватывается; останавливайте осторожно</translation>
    </message>
    <message>
        <source>playing %1 to OLA universe %2</source>
        <translation>играет %1 во вселенную OLA %2</translation>
    </message>
    <message>
        <source>OLA was not reached for the closing blackout</source>
        <translation>OLA недоступен для гашения в конце</translation>
    </message>
    <message>
        <source>label file </source>
        <translation>файл меток </translation>
    </message>
    <message>
        <source>Cues from an Audacity label file instead of the file&apos;s track.</source>
        <translation>Метки из файла меток Audacity вместо партитуры файла.</translation>
    </message>
    <message>
        <source>Play the forms and scenes in a loop, ignoring the track.</source>
        <translation>Играть формы и сцены по кругу, без партитуры.</translation>
    </message>
    <message>
        <source>--cues and --no-track exclude each other</source>
        <translation>--cues и --no-track исключают друг друга</translation>
    </message>
    <message>
        <source>cannot read the sound file %1: %2</source>
        <translation>не удаётся прочитать звуковой файл %1: %2</translation>
    </message>
    <message>
        <source>the track&apos;s music %1 is missing; the cues follow the clock</source>
        <translation>музыки партитуры %1 нет; метки идут по часам</translation>
    </message>
</context>
<context>
    <name>RenderTool</name>
    <message>
        <source>%1/%2 frames  %3x  %4 left</source>
        <translation>%1/%2 кадров  %3x  осталось %4</translation>
    </message>
    <message>
        <source>Draws a fountain file (.wat) to a picture, or plays its show to an MP4 video.
A picture shows the fountain as stored, or after --time seconds of its show.
A video (output ending in .mp4) plays the show from form 1 and scene 1.</source>
        <translation>Рисует файл фонтана (.wat) в картинку или записывает его шоу в видео MP4.
Картинка показывает фонтан, как он сохранён, или через --time секунд шоу.
Видео (имя кончается на .mp4) играет шоу с формы 1 и сцены 1.</translation>
    </message>
    <message>
        <source>The picture or .mp4 video to write.</source>
        <translation>Картинка или видео .mp4, которое записать.</translation>
    </message>
    <message>
        <source>Picture size (default 1280x720).</source>
        <translation>Размер картинки (по умолчанию 1280x720).</translation>
    </message>
    <message>
        <source>Picture: play the show this long first.</source>
        <translation>Картинка: сначала проиграть шоу столько секунд.</translation>
    </message>
    <message>
        <source>Video length (default: the music&apos;s, else 30).</source>
        <translation>Длина видео (по умолчанию — длина музыки, иначе 30).</translation>
    </message>
    <message>
        <source>Video: sound file to play along.</source>
        <translation>Видео: звуковой файл к шоу.</translation>
    </message>
    <message>
        <source>Video: frames a second (default 25).</source>
        <translation>Видео: кадров в секунду (по умолчанию 25).</translation>
    </message>
    <message>
        <source>The fountain file.</source>
        <translation>Файл фонтана.</translation>
    </message>
    <message>
        <source>give one fountain file and -o OUT (see --help)</source>
        <translation>укажите один файл фонтана и -o OUT (см. --help)</translation>
    </message>
    <message>
        <source>--size wants WIDTHxHEIGHT, e.g. 1280x720</source>
        <translation>--size ждёт ШИРИНАxВЫСОТА, например 1280x720</translation>
    </message>
    <message>
        <source>--time is for pictures; a video plays from 0 for --duration</source>
        <translation>--time только для картинок; видео играет с 0 в течение --duration</translation>
    </message>
    <message>
        <source>--time wants seconds, from 0 to a day (86400)</source>
        <translation>--time ждёт секунды, от 0 до суток (86400)</translation>
    </message>
    <message>
        <source>--duration wants seconds, more than 0</source>
        <translation>--duration ждёт секунды, больше 0</translation>
    </message>
    <message>
        <source>--fps wants a whole number</source>
        <translation>--fps ждёт целое число</translation>
    </message>
    <message>
        <source>cannot read sound file %1: %2</source>
        <translation>не удаётся прочитать звуковой файл %1: %2</translation>
    </message>
    <message>
        <source>interrupted; %1 not written</source>
        <translation>прервано; %1 не записан</translation>
    </message>
    <message>
        <source>Cues from an Audacity label file instead of the file&apos;s track.</source>
        <translation>Метки из файла меток Audacity вместо партитуры файла.</translation>
    </message>
    <message>
        <source>Play the forms and scenes in a loop, ignoring the track.</source>
        <translation>Играть формы и сцены по кругу, без партитуры.</translation>
    </message>
    <message>
        <source>--cues and --no-track exclude each other</source>
        <translation>--cues и --no-track исключают друг друга</translation>
    </message>
    <message>
        <source>label file </source>
        <translation>файл меток </translation>
    </message>
    <message>
        <source>the track&apos;s music %1 is missing; the video has no sound</source>
        <translation>музыки партитуры %1 нет; видео будет без звука</translation>
    </message>
    <message>
        <source>classic (lines, as the editor draws) or realistic (translucent glowing water); default classic.</source>
        <translation>classic (линии, как рисует редактор) или realistic (прозрачная светящаяся вода); по умолчанию classic.</translation>
    </message>
    <message>
        <source>file (the file&apos;s own view) or fit (the whole bowl and its jets in the picture); default file.</source>
        <translation>file (вид из файла) или fit (вся чаша со струями в кадре); по умолчанию file.</translation>
    </message>
    <message>
        <source>--look wants classic or realistic</source>
        <translation>--look ждёт classic или realistic</translation>
    </message>
    <message>
        <source>--view wants file or fit</source>
        <translation>--view ждёт file или fit</translation>
    </message>
    <message>
        <source>Realistic look: still, or orbit (a slow turn about the bowl&apos;s vertical axis); default still.</source>
        <translation>Реалистичный вид: still (камера стоит) или orbit (медленный облёт вокруг вертикальной оси чаши); по умолчанию still.</translation>
    </message>
    <message>
        <source>--camera wants still or orbit</source>
        <translation>--camera ждёт still или orbit</translation>
    </message>
    <message>
        <source>Video: begin this far into the show and the music (default 0).</source>
        <translation>Видео: начать с этой секунды шоу и музыки (по умолчанию 0).</translation>
    </message>
    <message>
        <source>The backdrop picture (default muzteatr.jpg).</source>
        <translation>Картинка подложки (по умолчанию muzteatr.jpg).</translation>
    </message>
    <message>
        <source>--duration, --from, --music and --fps are for videos (OUT ending in .mp4)</source>
        <translation>--duration, --from, --music и --fps только для видео (OUT с окончанием .mp4)</translation>
    </message>
    <message>
        <source>--from wants seconds, from 0 to a day (86400)</source>
        <translation>--from ждёт секунды, от 0 до суток (86400)</translation>
    </message>
    <message>
        <source>cannot read the backdrop picture %1</source>
        <translation>не удаётся прочитать картинку подложки %1</translation>
    </message>
    <message>
        <source>--from lies past the end of the music (%1 s)</source>
        <translation>--from дальше конца музыки (%1 с)</translation>
    </message>
</context>
<context>
    <name>ToolText</name>
    <message>
        <source>Show this help.</source>
        <translation>Показать эту справку.</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>Показать версию.</translation>
    </message>
</context>
<context>
    <name>pluviane::AboutWindow</name>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 1.5  Pluviane  (декабрь 2026)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Связь с разработчиками — через сайт проекта</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разработка: проект Pluviane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Новая версия программы и дополнительная информация на сайте  </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::AtomicWrite</name>
    <message>
        <source>%1 (%2 of %3 bytes written)</source>
        <translation>%1 (записано %2 из %3 байт)</translation>
    </message>
</context>
<context>
    <name>pluviane::BowlTab</name>
    <message>
        <source>Размер чаши X = 150</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер чаши X = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Глубина чаши = 25 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Глубина чаши = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Толщина стенки = 18</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Толщина стенки = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Количество углов = 21</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Количество углов = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Угол поворота = 45 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Угол поворота = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показать чашу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разрешить загружать новую чашу при загрузке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть файл c параметрами чаши</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Дно чаши </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Hаружняя стенка </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Верх </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Внутреняя стенка </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Подложка </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Подложка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть файл с новой картинкой подложки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включить подложку</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ночь</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ночной режим  подложки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер подложки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер Y</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вместе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Масштаб 32</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Масштаб </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость вращения поля 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Земля </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Плоскости </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включть плоскость</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Оси </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Включть ось</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость вращения поля </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Параметры чаши</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Цвет чаши</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Реалистичная вода</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Прозрачные светящиеся струи над рябью воды в чаше</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки вида не сохранены:<byte value="xd"/>
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::CueTableModel</name>
    <message>
        <source>форма</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>сцена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>перебор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вид</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Время «%1»: нужно м:сс.ммм от 0 до 4 часов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер «%1»: нужно от 1 до %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переход формы: ramp=мс (до 60000) или пусто</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Переход сцены: cut, sweep или fade=мс (до 60000)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::DmxPanel</name>
    <message>
        <source>Выход уровней и цветов групп в DMX через OLA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вселенная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал уровней</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Канал цветов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1=%2 — не число</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Патч DMX в файле настроек не годится:<byte value="xd"/>
%1<byte value="xd"/>
Взяты значения по умолчанию.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Настройки DMX не сохранены:<byte value="xd"/>
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DMX выключен</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OLA не принимает кадры</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет связи с OLA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OLA: вселенная %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Машина, где работает OLA (адрес или имя)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Машина OLA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Порт OLA</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::DmxPatch</name>
    <message>
        <source>Вселенная DMX должна быть от 0 до %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Уровни групп займут каналы %1, а в DMX их только 1..512</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Цвета групп займут каналы %1, а в DMX их только 1..512</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Каналы уровней (%1) и цветов (%2) пересекаются</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::DraftShowButton</name>
    <message>
        <source>Черновик по музыке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Расставить формы и сцены по музыке: удары, громкость, фразы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сначала загрузите музыку.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В партитуре уже есть метки.<byte value="xd"/>
Заменить их черновиком по музыке?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>реже</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>обычно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>чаще</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Как часто черновик меняет формы</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::DraftShowDialog</name>
    <message>
        <source>Черновик по музыке: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Черновик по музыке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Музыку не удалось прочитать:<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ни у одной группы 1..12 нет форсунок:<byte value="xd"/>
черновику нечем играть.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В музыке нет звука.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Темп %1 уд/мин.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Реплик: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записаны свои формы %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записаны свои сцены %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не хватило свободных строк для всех своих форм и сцен.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смен форм меньше, чем просит музыка: иначе партитура не вмещается.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ударов не найдено: реплики по вступлениям звуков и фразам.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записанные формы слишком похожи друг на друга.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::EditorWindow</name>
    <message>
        <source>Управление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Чаша</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ред.Струи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Группы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автомат</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oпции</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::EglContext</name>
    <message>
        <source>empty picture size</source>
        <translation>пустой размер картинки</translation>
    </message>
    <message>
        <source>EGL has no surfaceless platform (Mesa&apos;s EGL is needed)</source>
        <translation>в EGL нет платформы surfaceless (нужен EGL из Mesa)</translation>
    </message>
    <message>
        <source>EGL cannot open a platform display</source>
        <translation>EGL не открывает дисплей платформы</translation>
    </message>
    <message>
        <source>EGL cannot start on the surfaceless platform</source>
        <translation>EGL не запускается на платформе surfaceless</translation>
    </message>
    <message>
        <source>EGL offers no desktop OpenGL</source>
        <translation>EGL не даёт настольного OpenGL</translation>
    </message>
    <message>
        <source>EGL cannot create an OpenGL compatibility context</source>
        <translation>EGL не создаёт контекст OpenGL compatibility</translation>
    </message>
    <message>
        <source>EGL cannot make the context current</source>
        <translation>EGL не делает контекст текущим</translation>
    </message>
    <message>
        <source>OpenGL has no framebuffer objects</source>
        <translation>в OpenGL нет объектов кадрового буфера</translation>
    </message>
    <message>
        <source>picture larger than %1 x %1 pixels</source>
        <translation>картинка больше %1 x %1 точек</translation>
    </message>
    <message>
        <source>no memory for a %1 x %2 picture</source>
        <translation>не хватает памяти на картинку %1 x %2</translation>
    </message>
</context>
<context>
    <name>pluviane::ExportDialog</name>
    <message>
        <source> с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Всё шоу (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отрывок</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>с</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>по</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длина</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>720p (1280 x 720)</source>
        <translation>720p (1280 x 720)</translation>
    </message>
    <message>
        <source>1080p (1920 x 1080)</source>
        <translation>1080p (1920 x 1080)</translation>
    </message>
    <message>
        <source>Квадрат (1080 x 1080)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Размер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Классический</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Реалистичная вода</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вид</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Как в файле</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Весь фонтан в кадре</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Камера</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::ExportPanel</name>
    <message>
        <source>Записать видео шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео шоу (MP4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео MP4 (*.mp4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео не записано:<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео не записано:<byte value="xd"/>
звуковой файл %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись видео </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись видео отменена, файл не записан.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео не записано:<byte value="xd"/>
конец отрывка должен быть позже его начала</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись видео %1
осталось %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>не запускается %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>программа записи остановилась</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Видео записано: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::FileCommands</name>
    <message>
        <source>Новый файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать файл как</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>О программе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показать окно записи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка!<byte value="xd"/>
Файл большего размера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл с таким именем есть. Переписать?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показать партитуру шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить изменения?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сохранить изменения в файле </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Партитура шоу в %1 повреждена (%2) и не загружена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Музыка партитуры не найдена: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Партитура шоу не помещается в файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл %1 начинается не как файл фонтана. Записать фонтан поверх него?</source>
        <translation></translation>
    </message>
    <message>
        <source>файла больше нет</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Недавние файлы</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::FilePrompter</name>
    <message>
        <source>Построение фонтана *.wat (*.wat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Форма фонтана *.wat (*.wat)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Звуковые файлы wav, mp3 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Восстановить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отбросить</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позже</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::FirstStart</name>
    <message>
        <source>no examples to copy</source>
        <translation>нет примеров для копирования</translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation>не удаётся создать папку %1</translation>
    </message>
    <message>
        <source>cannot copy %1 to %2</source>
        <translation>не удаётся скопировать %1 в %2</translation>
    </message>
    <message>
        <source>no example presets written: %1</source>
        <translation>примеры на кнопки не записаны: %1</translation>
    </message>
    <message>
        <source>Классический круглый фонтан: 1 850 000 руб.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Квадратная чаша: 1 240 000 руб.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Спираль: 2 100 000 руб.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Круглый фонтан с песней: 1 900 000 руб.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::FountainFile</name>
    <message>
        <source>%1 is longer than a fountain file (at most %2 bytes)</source>
        <translation>%1 длиннее файла фонтана (не больше %2 байт)</translation>
    </message>
    <message>
        <source>no fountain file %1</source>
        <translation>нет файла фонтана %1</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 does not begin as a fountain file (byte 0 is %2, not %3); loading it anyway</source>
        <translation>%1 начинается не как файл фонтана (байт 0 равен %2, а не %3); загружается всё равно</translation>
    </message>
    <message>
        <source>файл короче %1 байт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the show track of %1 is damaged (%2); the file loads without it</source>
        <translation>партитура шоу в %1 повреждена (%2); файл загружается без неё</translation>
    </message>
</context>
<context>
    <name>pluviane::FountainRender</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation>не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>not a file</source>
        <translation>это не файл</translation>
    </message>
    <message>
        <source>no such file</source>
        <translation>нет такого файла</translation>
    </message>
    <message>
        <source>cannot draw a %1x%2 picture: %3</source>
        <translation>не удаётся нарисовать картинку %1x%2: %3</translation>
    </message>
    <message>
        <source>the picture size must be between 1x1 and %1x%1</source>
        <translation>размер картинки должен быть от 1x1 до %1x%1</translation>
    </message>
    <message>
        <source>cannot encode the picture: %1</source>
        <translation>не удаётся закодировать картинку: %1</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>the show track does not fit</source>
        <translation>партитура шоу не помещается</translation>
    </message>
</context>
<context>
    <name>pluviane::GroupTab</name>
    <message>
        <source>На этой закладке собираем струи в группы и привязываем к  номеру фейдера управления</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>от струи 16 до 19</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Построение группы начинается от номера этого фейдера.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>КолВоСтруй 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Количество струй в группе </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Привязать группу к номеру 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Указывает какой фейдер будет управлять этой группой. Фэйдер находится на странице MANUAL и MUSIC.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Форма коллектора </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Линия</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Треугольник</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Квадрат</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Круг</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Спираль</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Объект Размер100  пропорция 100 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение объекта X=0  Z=0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот: группы 0  всех струй 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот всех струй в группе вокруг центра чаши</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот всех струй вокруг их выхода из чаши фонтана </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Высота струи 100 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Наклон струи 10 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пенность 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>доп. Функция</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать+новая группа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Норма-поворот</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Устанавливает группу в ценр фонтана, для поворота вокруг центра группы </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить группу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удаляет группу из массива по признаку номера </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Весь фонтан</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нормализует высоты всех существующих групп на максимум для осмотра общего вида всего фонтана </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кол.Струй </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>От струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> до </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Привязать группу к номеру </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Объект Размер </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> пропорция </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот: группы </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> всех струй </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пенность </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Высота струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Доп.Функц = </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение объекта X=</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Команда не выполнена!
Струй больше 250 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Кнопки индикации использованных номеров групп. Нажатие на кнопку вызывает группу для редактирования </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::HelpWindow</name>
    <message>
        <source>Окно помощи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>            Pluviane — визуализация фонтанов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Программа служит для проектирования фонтанов: струи собираются в группы,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>расставляются вокруг чаши, и весь фонтан сразу виден в объёмном изображении,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>которое обновляется в реальном времени, двадцать раз в секунду.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Управление видом (в главном окне):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - левая кнопка мыши нажата и мышь движется — весь фонтан перемещается;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - правая кнопка мыши нажата и мышь движется — фонтан поворачивается;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - клавиши со стрелками — фонтан сдвигается влево, вправо, вверх и вниз;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - Shift, затем стрелки — поворот вокруг горизонтальных осей X и Z;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - Ctrl, затем стрелки влево и вправо — поворот вокруг вертикальной оси.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Клавиши Shift и Ctrl выбирают, что делают стрелки, пока их не отпустят.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Масштаб и вращение поля задаются на закладке «Чаша»; кнопка ISOMETR</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ставит изометрический вид.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Картинка подложки (JPEG или BMP) читается самой программой, отдельная</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>библиотека не нужна. Файл muzteatr.jpg из рабочей папки загружается при</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>запуске; другую картинку выбирают кнопкой «Подложка» на закладке «Чаша».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Классический фонтан с круглой чашей за одну минуту:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  1. Нажмите «Новый файл» на панели инструментов.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  2. На закладке «Oпции» задайте, как будет меняться каждая следующая</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     группа: например, размер на -20 и высоту на 20.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  3. На закладке «Группы» выберите форму коллектора «Круг», размер 150,</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     количество струй 12 и высоту струи 60.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  4. Нажмите «Записать+новая группа» несколько раз: каждая новая группа</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     ложится внутри предыдущей и бьёт выше.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  5. На закладке «Управление» фейдерами слева задайте высоту каждой</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     группы, фейдерами справа — её цвет, кнопкой «Все цветные» — радугу.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  6. На закладке «Чаша» выберите число углов 21 и размер чаши.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  7. Сохраните фонтан кнопкой «Записать файл как».</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл фонтана (*.wat) хранит струи, группы, цвета, записанные формы и</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>сцены, а также чашу, подложку и вид. Флажок «Load» на закладке «Чаша»</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>решает, берётся ли чаша из открываемого файла. Кнопка «Открыть файл c</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>параметрами чаши» берёт из файла только чашу. Кнопка отмены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>возвращает фонтан к последнему открытому или сохранённому файлу.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закладка «Ред.Струи» правит одну струю: выберите её номер и двигайте</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>полосы высоты, наклона, поворота, пенности и положения.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Задуманные расширения:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - коллекторы произвольной формы, нарисованные мышью;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - запись шоу под музыку с привязкой к времени;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - вывод изображения в файл и видеоролик;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - смета фонтана по числу форсунок и насосов;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  - подсветка чаши и дна.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Окно помощи можно прокручивать; набранный здесь текст нигде не</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>сохраняется.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пожелания и замечания присылайте по адресу </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::JetTab</name>
    <message>
        <source>Установка и привязка только одной выбранной струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор номера струи 0FF </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Принадлежность к группе - OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пенность струи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Высота струи 1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Наклон струи 1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот струи 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция струи по Z 0 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция струи по X 0 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция струи по Y 0 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Наполнение струи 1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Глобально все данные </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Привязка к Группе: OFF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Привязка к Группе: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Пенность струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Высота струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Наклон струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Поворот струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция струи Z= </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция струи X= </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция струи Y= </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Струя в виде Линии </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Наполнение струи </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Выбор номера струи </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::MainWindow</name>
    <message>
        <source>Визуализация фонтанов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Запись кнопок быстрого перехода </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Форсунок всего : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Редактор</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Показать окно редактора (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::ManualTab</name>
    <message>
        <source>Установка цвета и высоты груп форсунок вручную </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Высота струи            Цвет струи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Цветность 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Яркость 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все в МАХ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все в МIN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все Белые</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Все цветные</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Высота струи %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Цвет струи %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Цветность </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Яркость </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::MediaSoundPlayer</name>
    <message>
        <source>Файл не воспроизводится</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::MusicDecoder</name>
    <message>
        <source>Разбор музыки прерван</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В файле нет звука, который можно прочесть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл не найден</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Это не обычный файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В файле нет звуковой дорожки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Звук в файле не читается</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Неверная частота %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Частота дискретизации %1 Гц — не звук: файл повреждён</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::MusicPanel</name>
    <message>
        <source>Открыть звуковой файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Играть</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В начало</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Длина      </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция  0 min  0 sec </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Осталось </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Нет звукового устройства</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Отсчеты:   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Позиция    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Осталось   </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::MusicWriter</name>
    <message>
        <source>no FLAC encoder</source>
        <translation>нет кодера FLAC</translation>
    </message>
    <message>
        <source>cannot rename %1</source>
        <translation>не удаётся переименовать %1</translation>
    </message>
</context>
<context>
    <name>pluviane::OffscreenFrame</name>
    <message>
        <source>empty picture size</source>
        <translation>пустой размер картинки</translation>
    </message>
    <message>
        <source>the window system offers no OpenGL</source>
        <translation>оконная система не даёт OpenGL</translation>
    </message>
    <message>
        <source>the window system&apos;s OpenGL context cannot be used</source>
        <translation>контекст OpenGL оконной системы непригоден</translation>
    </message>
    <message>
        <source>no memory for a %1 x %2 picture</source>
        <translation>не хватает памяти на картинку %1 x %2</translation>
    </message>
</context>
<context>
    <name>pluviane::OptionsTab</name>
    <message>
        <source>Автоматическое измение данных   при нажатии на кнопку (Записать + новая группа)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить размер на  0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменить размер на </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автоматическое измение размера  при нажатии на кнопку (Записать + новая группа)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повернуть на  0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Повернуть на  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автоматический поворот  при нажатии на кнопку (Записать + )</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>на Колво струй 0 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>на Количество струй </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автоматическое измение Количества струй  при нажатии на кнопку (Записать + новая группа)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменение высоты на 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Изменение высоты на </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автоматическое измение высоты  при нажатии на кнопку (Записать + новая группа)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение по Х на 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение по Х на </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение по Z на 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Смещение по Z на </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык / Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Как на рабочем столе</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Язык сменится при следующем запуске программы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>К центру</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>При включенном флажке новая группа устанавливается в центр при нажатии на кнопку (Запмсать+новаягруппа)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Чашу в -0- </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>При флажке при нажатии на кнопку NewFile устанавливает чашу в нулевые координаты </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вкл подставление имени </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя файла которое будет подставляться c цифрой при нажатии на кнопку NewFile </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Автоматическое измение положения   при нажатии на кнопку (Записать + новая группа)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удаётся записать в %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::PresetList</name>
    <message>
        <source>Правая кнопка записывает имена файлов фонтана, подложки и  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сумма сметы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записывать и файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>По смете : </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 1 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 2 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 3 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 4 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 5 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 6 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 7 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 8  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки  9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки  10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки  11</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки 12 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Театр</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Слава</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки  13 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать для кнопки  14</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Не удаётся записать в %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя файла нельзя записать в файл настроек:<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл фонтана не найден:<byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::ProfileFile</name>
    <message>
        <source>Не удаётся создать папку %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::RecorderWindow</name>
    <message>
        <source>Запись и редактирование форм струй и  цвета - яркости софитов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Давление воды группы в форме </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость нарастания давления </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Цвет группы софитов в сцене  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ВСЕ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер формы </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Всего форм </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер сцены </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Всего сцен </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать и следующая</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Управление давлением воды  - форма </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер формы 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Всего форм 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Управление яркостью и цветом софитов </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер сцены 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Всего сцен 3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::RecoveryCopy</name>
    <message>
        <source>Восстановление</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no recovery copy written: %1</source>
        <translation>копия для восстановления не записана: %1</translation>
    </message>
    <message>
        <source>нового фонтана</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Копия несохранённых изменений %1 повреждена (%2) и отложена в %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Восстановить несохранённые изменения %1 от %2?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл %1 изменён и не сохранён в другой запущенной программе (процесс %2).<byte value="xd"/>
Открыть его только для чтения?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Файл изменён другой программой: %1<byte value="xd"/>
Переписать его?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::RegularFile</name>
    <message>
        <source>it is a folder, not a file</source>
        <translation>это папка, а не файл</translation>
    </message>
    <message>
        <source>it is a pipe (FIFO), not a file</source>
        <translation>это канал (FIFO), а не файл</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>это устройство, а не файл</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>это не обычный файл</translation>
    </message>
</context>
<context>
    <name>pluviane::SequencerPanel</name>
    <message>
        <source>Открыть файл Cеквенций</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Форма </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  Сцена  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Форма N 01 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Управление секвенсером</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Плавность изменения</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Плавность изменения </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скорость смены форм </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Сцена N 01 </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Управление цветом</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cкорость смены цвета </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скор. смены сцен цвета</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Скор. смены сцен цвета </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::ShowTrack</name>
    <message>
        <source>запись короче заголовка</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>имя музыки выходит за конец записи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>число меток не совпадает с длиной записи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>метка %1 позже четырёх часов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>метка %1 стоит раньше предыдущей</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>файл обрывается в заголовке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неизвестная версия %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>длина выходит за конец файла</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>неверная контрольная сумма</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метка %1 ставит форму %2, записано форм %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метка %1 ставит сцену %2, записано сцен %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>нужно «начало&lt;TAB&gt;конец&lt;TAB&gt;метка»</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>время «%1» не от 0 до 4 часов</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>метка «%1»: нужно F1..F255 и/или S1..S255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>больше %1 меток</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>не файл</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>файл не найден</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>файл больше 4 МБ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1, строка %2: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>больше %1 маркеров</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>метка «%1»: переход cut, sweep, fade=мс или ramp=мс (до 60000)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>метка %1: неизвестный переход</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>маркеры выходят за конец записи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>сжатая запись не распаковывается</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::TimelineView</name>
    <message>
        <source>Форма</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сцена</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер формы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Номер сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>формы</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>сцены</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Маркер</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Имя маркера</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В буфере обмена нет меток</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В партитуре уже %1 меток, больше не помещается</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В партитуре уже %1 маркеров, больше не помещается</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Маркер %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>форма %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, уровни за %1 мс</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, уровни шагом записи</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>сцена %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, сразу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, переход за %1 мс</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, перебор цветов записи</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::TimelineWindow</name>
    <message>
        <source>Партитура шоу</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метки (*.txt);;Все файлы (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записать метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Открыть метки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В начало</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Играть / пауза (пробел)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Форма сюда</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метка с текущей формой записи у указателя</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Сцена сюда</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метка с текущей сценой записи у указателя</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Удалить метку (Delete)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метки из файла Audacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метки в файл Audacity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Играть по партитуре</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Формы и сцены меняются по меткам, в такт музыке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Разбор %p%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--- уд/мин</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>В партитуре уже %1 меток, больше не помещается</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метки не загружены: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Записано меток: %1 в %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Метки не записаны: %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 уд/мин</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Музыка не разобрана: %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Музыка %1 длиннее, чем партитура может вместить: взяты первые %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Маркер у указателя (M)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Вся песня</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>без сетки</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>доля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>полдоли</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>такт</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Куда прилипают метки (Shift при перетаскивании — никуда)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Петля</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Играть снова и снова отрезок, выделенный на линейке</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Загружено меток: %1, маркеров: %2 из %3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::VideoEncoder</name>
    <message>
        <source>not a sound file that can be read</source>
        <translation>это не звуковой файл, который можно прочитать</translation>
    </message>
    <message>
        <source>no sound in the file</source>
        <translation>в файле нет звука</translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation>не хватает памяти</translation>
    </message>
    <message>
        <source>FFmpeg has no H.264 encoder</source>
        <translation>в FFmpeg нет кодера H.264</translation>
    </message>
    <message>
        <source>no colour conversion to YUV</source>
        <translation>нет преобразования цвета в YUV</translation>
    </message>
    <message>
        <source>FFmpeg has no AAC encoder</source>
        <translation>в FFmpeg нет кодера AAC</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>не удаётся записать %1: %2</translation>
    </message>
    <message>
        <source>the picture size must be between 16x16 and %1x%1</source>
        <translation>размер кадра должен быть от 16x16 до %1x%1</translation>
    </message>
    <message>
        <source>a video&apos;s width and height must be even</source>
        <translation>ширина и высота видео должны быть чётными</translation>
    </message>
    <message>
        <source>the frame rate must be between 1 and %1</source>
        <translation>частота кадров должна быть от 1 до %1</translation>
    </message>
    <message>
        <source>the duration must be more than 0 and at most 24 hours</source>
        <translation>длина должна быть больше 0 и не больше 24 часов</translation>
    </message>
    <message>
        <source>cannot read sound file %1: %2</source>
        <translation>не удаётся прочитать звуковой файл %1: %2</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>не удаётся записать в %1: %2</translation>
    </message>
    <message>
        <source>a picture of the wrong size</source>
        <translation>кадр не того размера</translation>
    </message>
    <message>
        <source>cannot write %1: the disk refused the last bytes</source>
        <translation>не удаётся записать %1: диск не принял последние байты</translation>
    </message>
    <message>
        <source>no sound decodes from it</source>
        <translation>звук из него не декодируется</translation>
    </message>
</context>
</TS>
