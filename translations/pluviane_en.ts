<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="ru_RU">
<context>
    <name>DraftTool</name>
    <message>
        <source>The fountain file to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also write the cues as an Audacity label file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The fountain file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The song (any format FFmpeg reads).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give a fountain file, a song and -o OUT.wat (see --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is larger than a fountain file (64000 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrupted; %1 not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot decode %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has no nozzles in groups 1..12: there is no water to draft</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 holds no sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the drafted track does not fit the fountain file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>tempo %1 beats a minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  from %1 s: %2 beats a minute</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cues</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recorded forms %1 of its own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>recorded scenes %1 of its own</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not all of its own forms and scenes fitted: the rows after the recorded ones are taken</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>fewer form changes than the music asks for, to fit the track</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>intro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>chorus</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bridge</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>outro</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>verse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sections (%1):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  %1-%2 s  %3 %4, %5 bars, %6 LUFS, %7 form cues a minute, water %8 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>accents: %1 of the %2 strongest hits have a form cue; %3 rests before a hit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>form changes: %1, %2 % of them move at least a fifth of the nozzles; at most %3 in a row between the same two forms</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>water: %1 % in the quietest 30 s, %2 % in the loudest; dry %3 s of %4 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drafts the show of a fountain file (.wat) from a song: as much water as the
music is loud, forms held in calm passages and changing on the bar or the beat
as it grows, a cue on every strong hit, a new scene at every section of the song.
The fountain&apos;s recorded forms and scenes are used; when there are too few that
differ, the draft records its own into free rows. The result is written as the
file&apos;s show track.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How often the forms change: low, medium (the default) or high.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Also print the tempo sections, the sections of the song, the cues a minute in each, the accents taken and the dry time.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--density takes low, medium or high, not &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no beat found: cues follow the onsets and the phrases</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the recorded forms differ too little from each other</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PlayTool</name>
    <message>
        <source>--%1 takes a number, not &quot;%2&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Plays the show of a fountain file to DMX through OLA, with no display.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The fountain file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OLA universe (default 1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First level channel (default 1).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First colour channel (default 17).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound file played with the show.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play on until stopped (the music starts over).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OLA daemon&apos;s RPC port (default 9010).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>name one fountain file (see --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--ola-port must be 1..65535</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OLA takes the frames</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no connection to OLA; trying again every 3 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the music does not play (%1); the show goes on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+C cannot be caught; stop with care</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>playing %1 to OLA universe %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OLA was not reached for the closing blackout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>label file </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cues from an Audacity label file instead of the file&apos;s track.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the forms and scenes in a loop, ignoring the track.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--cues and --no-track exclude each other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read the sound file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the track&apos;s music %1 is missing; the cues follow the clock</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>RenderTool</name>
    <message>
        <source>%1/%2 frames  %3x  %4 left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Draws a fountain file (.wat) to a picture, or plays its show to an MP4 video.
A picture shows the fountain as stored, or after --time seconds of its show.
A video (output ending in .mp4) plays the show from form 1 and scene 1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The picture or .mp4 video to write.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture size (default 1280x720).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture: play the show this long first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video length (default: the music&apos;s, else 30).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video: sound file to play along.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video: frames a second (default 25).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The fountain file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>give one fountain file and -o OUT (see --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--size wants WIDTHxHEIGHT, e.g. 1280x720</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--time is for pictures; a video plays from 0 for --duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--time wants seconds, from 0 to a day (86400)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--duration wants seconds, more than 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--fps wants a whole number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read sound file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>interrupted; %1 not written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cues from an Audacity label file instead of the file&apos;s track.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Play the forms and scenes in a loop, ignoring the track.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--cues and --no-track exclude each other</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>label file </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the track&apos;s music %1 is missing; the video has no sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>classic (lines, as the editor draws) or realistic (translucent glowing water); default classic.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>file (the file&apos;s own view) or fit (the whole bowl and its jets in the picture); default file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--look wants classic or realistic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--view wants file or fit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Realistic look: still, or orbit (a slow turn about the bowl&apos;s vertical axis); default still.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--camera wants still or orbit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video: begin this far into the show and the music (default 0).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backdrop picture (default muzteatr.jpg).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--duration, --from, --music and --fps are for videos (OUT ending in .mp4)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--from wants seconds, from 0 to a day (86400)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read the backdrop picture %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--from lies past the end of the music (%1 s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ToolText</name>
    <message>
        <source>Show this help.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::AboutWindow</name>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Version 1.5  Pluviane  (декабрь 2026)</source>
        <translation>Version 1.5  Pluviane  (December 2026)</translation>
    </message>
    <message>
        <source>Связь с разработчиками — через сайт проекта</source>
        <translation>Reach the developers through the project site</translation>
    </message>
    <message>
        <source>Разработка: проект Pluviane</source>
        <translation>Developed by the Pluviane project</translation>
    </message>
    <message>
        <source>Новая версия программы и дополнительная информация на сайте  </source>
        <translation>New versions and more information on the site  </translation>
    </message>
</context>
<context>
    <name>pluviane::AtomicWrite</name>
    <message>
        <source>%1 (%2 of %3 bytes written)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::BowlTab</name>
    <message>
        <source>Размер чаши X = 150</source>
        <translation>Bowl size X = 150</translation>
    </message>
    <message>
        <source>Размер чаши X = </source>
        <translation>Bowl size X = </translation>
    </message>
    <message>
        <source>Глубина чаши = 25 </source>
        <translation>Bowl depth = 25 </translation>
    </message>
    <message>
        <source>Глубина чаши = </source>
        <translation>Bowl depth = </translation>
    </message>
    <message>
        <source>Толщина стенки = 18</source>
        <translation>Wall thickness = 18</translation>
    </message>
    <message>
        <source>Толщина стенки = </source>
        <translation>Wall thickness = </translation>
    </message>
    <message>
        <source>Количество углов = 21</source>
        <translation>Corners = 21</translation>
    </message>
    <message>
        <source> Количество углов = </source>
        <translation> Corners = </translation>
    </message>
    <message>
        <source> Угол поворота = 45 </source>
        <translation> Turn angle = 45 </translation>
    </message>
    <message>
        <source> Угол поворота = </source>
        <translation> Turn angle = </translation>
    </message>
    <message>
        <source>Вкл</source>
        <translation>On</translation>
    </message>
    <message>
        <source>Показать чашу</source>
        <translation>Show the bowl</translation>
    </message>
    <message>
        <source>Разрешить загружать новую чашу при загрузке</source>
        <translation>Take the bowl from each fountain file opened</translation>
    </message>
    <message>
        <source>Открыть файл c параметрами чаши</source>
        <translation>Open a file for its bowl only</translation>
    </message>
    <message>
        <source>Дно чаши </source>
        <translation>Bowl floor </translation>
    </message>
    <message>
        <source> Hаружняя стенка </source>
        <translation> Outer wall </translation>
    </message>
    <message>
        <source> Верх </source>
        <translation> Rim </translation>
    </message>
    <message>
        <source>Внутреняя стенка </source>
        <translation>Inner wall </translation>
    </message>
    <message>
        <source> Подложка </source>
        <translation> Backdrop </translation>
    </message>
    <message>
        <source>Подложка</source>
        <translation>Backdrop</translation>
    </message>
    <message>
        <source>Открыть файл с новой картинкой подложки</source>
        <translation>Open a new backdrop picture</translation>
    </message>
    <message>
        <source>Включить подложку</source>
        <translation>Show the backdrop</translation>
    </message>
    <message>
        <source>Ночь</source>
        <translation>Night</translation>
    </message>
    <message>
        <source>Ночной режим  подложки</source>
        <translation>Backdrop at night</translation>
    </message>
    <message>
        <source>Размер X</source>
        <translation>Size X</translation>
    </message>
    <message>
        <source>Размер подложки</source>
        <translation>Backdrop size</translation>
    </message>
    <message>
        <source>Размер Y</source>
        <translation>Size Y</translation>
    </message>
    <message>
        <source>Вместе</source>
        <translation>Linked</translation>
    </message>
    <message>
        <source>Масштаб 32</source>
        <translation>Zoom 32</translation>
    </message>
    <message>
        <source>Масштаб </source>
        <translation>Zoom </translation>
    </message>
    <message>
        <source>Скорость вращения поля 0</source>
        <translation>Field spin speed 0</translation>
    </message>
    <message>
        <source> Земля </source>
        <translation> Ground </translation>
    </message>
    <message>
        <source> Плоскости </source>
        <translation> Planes </translation>
    </message>
    <message>
        <source>Включть плоскость</source>
        <translation>Show the plane</translation>
    </message>
    <message>
        <source> Оси </source>
        <translation> Axes </translation>
    </message>
    <message>
        <source>Включть ось</source>
        <translation>Show the axis</translation>
    </message>
    <message>
        <source>Скорость вращения поля </source>
        <translation>Field spin speed </translation>
    </message>
    <message>
        <source>Параметры чаши</source>
        <translation>Bowl settings</translation>
    </message>
    <message>
        <source>Цвет чаши</source>
        <translation>Bowl colour</translation>
    </message>
    <message>
        <source>Реалистичная вода</source>
        <translation>Realistic water</translation>
    </message>
    <message>
        <source>Прозрачные светящиеся струи над рябью воды в чаше</source>
        <translation>Clear glowing jets over rippling water in the bowl</translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Настройки вида не сохранены:<byte value="xd"/>
%1</source>
        <translation>The view settings were not saved:<byte value="xd"/>
%1</translation>
    </message>
</context>
<context>
    <name>pluviane::CueTableModel</name>
    <message>
        <source>форма</source>
        <translation>form</translation>
    </message>
    <message>
        <source>сцена</source>
        <translation>scene</translation>
    </message>
    <message>
        <source>перебор</source>
        <translation>sweep</translation>
    </message>
    <message>
        <source>Время</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Номер</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>Переход</source>
        <translation>Transition</translation>
    </message>
    <message>
        <source>Время «%1»: нужно м:сс.ммм от 0 до 4 часов</source>
        <translation>Time “%1”: m:ss.mmm from 0 to 4 hours wanted</translation>
    </message>
    <message>
        <source>Номер «%1»: нужно от 1 до %2</source>
        <translation>Number “%1”: 1 to %2 wanted</translation>
    </message>
    <message>
        <source>Переход формы: ramp=мс (до 60000) или пусто</source>
        <translation>A form&apos;s transition: ramp=ms (up to 60000) or empty</translation>
    </message>
    <message>
        <source>Переход сцены: cut, sweep или fade=мс (до 60000)</source>
        <translation>A scene&apos;s transition: cut, sweep or fade=ms (up to 60000)</translation>
    </message>
</context>
<context>
    <name>pluviane::DmxPanel</name>
    <message>
        <source>Выход уровней и цветов групп в DMX через OLA</source>
        <translation>Send group levels and colours to DMX through OLA</translation>
    </message>
    <message>
        <source>Вселенная</source>
        <translation>Universe</translation>
    </message>
    <message>
        <source>Канал уровней</source>
        <translation>Level channel</translation>
    </message>
    <message>
        <source>Канал цветов</source>
        <translation>Colour channel</translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>%1=%2 — не число</source>
        <translation>%1=%2 is not a number</translation>
    </message>
    <message>
        <source>Патч DMX в файле настроек не годится:<byte value="xd"/>
%1<byte value="xd"/>
Взяты значения по умолчанию.</source>
        <translation>The DMX patch in the settings file cannot be used:<byte value="xd"/>
%1<byte value="xd"/>
The defaults are used.</translation>
    </message>
    <message>
        <source>Настройки DMX не сохранены:<byte value="xd"/>
%1</source>
        <translation>The DMX settings were not saved:<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>DMX выключен</source>
        <translation>DMX off</translation>
    </message>
    <message>
        <source>OLA не принимает кадры</source>
        <translation>OLA takes no frames</translation>
    </message>
    <message>
        <source>Нет связи с OLA</source>
        <translation>No connection to OLA</translation>
    </message>
    <message>
        <source>OLA: вселенная %1</source>
        <translation>OLA: universe %1</translation>
    </message>
    <message>
        <source>Машина, где работает OLA (адрес или имя)</source>
        <translation>The machine OLA runs on (address or name)</translation>
    </message>
    <message>
        <source>Машина OLA</source>
        <translation>OLA host</translation>
    </message>
    <message>
        <source>Порт OLA</source>
        <translation>OLA port</translation>
    </message>
</context>
<context>
    <name>pluviane::DmxPatch</name>
    <message>
        <source>Вселенная DMX должна быть от 0 до %1</source>
        <translation>The DMX universe must be 0 to %1</translation>
    </message>
    <message>
        <source>Уровни групп займут каналы %1, а в DMX их только 1..512</source>
        <translation>The group levels would take channels %1, but DMX has only 1..512</translation>
    </message>
    <message>
        <source>Цвета групп займут каналы %1, а в DMX их только 1..512</source>
        <translation>The group colours would take channels %1, but DMX has only 1..512</translation>
    </message>
    <message>
        <source>Каналы уровней (%1) и цветов (%2) пересекаются</source>
        <translation>The level channels (%1) and colour channels (%2) overlap</translation>
    </message>
</context>
<context>
    <name>pluviane::DraftShowButton</name>
    <message>
        <source>Черновик по музыке</source>
        <translation>Draft from the music</translation>
    </message>
    <message>
        <source>Расставить формы и сцены по музыке: удары, громкость, фразы</source>
        <translation>Place forms and scenes by the music: beats, loudness, phrases</translation>
    </message>
    <message>
        <source>Сначала загрузите музыку.</source>
        <translation>Load the music first.</translation>
    </message>
    <message>
        <source>В партитуре уже есть метки.<byte value="xd"/>
Заменить их черновиком по музыке?</source>
        <translation>The show track already has cues.<byte value="xd"/>
Replace them with a draft from the music?</translation>
    </message>
    <message>
        <source>реже</source>
        <translation>less often</translation>
    </message>
    <message>
        <source>обычно</source>
        <translation>as usual</translation>
    </message>
    <message>
        <source>чаще</source>
        <translation>more often</translation>
    </message>
    <message>
        <source>Как часто черновик меняет формы</source>
        <translation>How often the draft changes forms</translation>
    </message>
</context>
<context>
    <name>pluviane::DraftShowDialog</name>
    <message>
        <source>Черновик по музыке: </source>
        <translation>Draft from the music: </translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Черновик по музыке</source>
        <translation>Draft from the music</translation>
    </message>
    <message>
        <source>Музыку не удалось прочитать:<byte value="xd"/>
</source>
        <translation>The music could not be read:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Ни у одной группы 1..12 нет форсунок:<byte value="xd"/>
черновику нечем играть.</source>
        <translation>No group 1..12 has nozzles:<byte value="xd"/>
the draft has no water to play.</translation>
    </message>
    <message>
        <source>В музыке нет звука.</source>
        <translation>The music holds no sound.</translation>
    </message>
    <message>
        <source>Темп %1 уд/мин.</source>
        <translation>Tempo %1 bpm.</translation>
    </message>
    <message>
        <source>Реплик: %1.</source>
        <translation>Cues: %1.</translation>
    </message>
    <message>
        <source>Записаны свои формы %1.</source>
        <translation>Own forms recorded: %1.</translation>
    </message>
    <message>
        <source>Записаны свои сцены %1.</source>
        <translation>Own scenes recorded: %1.</translation>
    </message>
    <message>
        <source>Не хватило свободных строк для всех своих форм и сцен.</source>
        <translation>There were not enough free rows for all its own forms and scenes.</translation>
    </message>
    <message>
        <source>Смен форм меньше, чем просит музыка: иначе партитура не вмещается.</source>
        <translation>Fewer form changes than the music asks for: the track would not fit otherwise.</translation>
    </message>
    <message>
        <source>Ударов не найдено: реплики по вступлениям звуков и фразам.</source>
        <translation>No beat found: cues follow the onsets and the phrases.</translation>
    </message>
    <message>
        <source>Записанные формы слишком похожи друг на друга.</source>
        <translation>The recorded forms are too much alike.</translation>
    </message>
</context>
<context>
    <name>pluviane::EditorWindow</name>
    <message>
        <source>Управление</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Чаша</source>
        <translation>Bowl</translation>
    </message>
    <message>
        <source>Ред.Струи</source>
        <translation>Jet edit</translation>
    </message>
    <message>
        <source>Группы</source>
        <translation>Groups</translation>
    </message>
    <message>
        <source>Автомат</source>
        <translation>Auto</translation>
    </message>
    <message>
        <source>Oпции</source>
        <translation>Options</translation>
    </message>
</context>
<context>
    <name>pluviane::EglContext</name>
    <message>
        <source>empty picture size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EGL has no surfaceless platform (Mesa&apos;s EGL is needed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EGL cannot open a platform display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EGL cannot start on the surfaceless platform</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EGL offers no desktop OpenGL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EGL cannot create an OpenGL compatibility context</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>EGL cannot make the context current</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OpenGL has no framebuffer objects</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>picture larger than %1 x %1 pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no memory for a %1 x %2 picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::ExportDialog</name>
    <message>
        <source> с</source>
        <translation> s</translation>
    </message>
    <message>
        <source>Видео шоу</source>
        <translation>Show video</translation>
    </message>
    <message>
        <source>Всё шоу (%1)</source>
        <translation>Whole show (%1)</translation>
    </message>
    <message>
        <source>Отрывок</source>
        <translation>Part</translation>
    </message>
    <message>
        <source>с</source>
        <translation>from</translation>
    </message>
    <message>
        <source>по</source>
        <translation>to</translation>
    </message>
    <message>
        <source>Длина</source>
        <translation>Length</translation>
    </message>
    <message>
        <source>720p (1280 x 720)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1080p (1920 x 1080)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Квадрат (1080 x 1080)</source>
        <translation>Square (1080 x 1080)</translation>
    </message>
    <message>
        <source>Размер</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>Классический</source>
        <translation>Classic</translation>
    </message>
    <message>
        <source>Реалистичная вода</source>
        <translation>Realistic water</translation>
    </message>
    <message>
        <source>Вид</source>
        <translation>Look</translation>
    </message>
    <message>
        <source>Как в файле</source>
        <translation>As in the file</translation>
    </message>
    <message>
        <source>Весь фонтан в кадре</source>
        <translation>Whole fountain in view</translation>
    </message>
    <message>
        <source>Камера</source>
        <translation>Camera</translation>
    </message>
</context>
<context>
    <name>pluviane::ExportPanel</name>
    <message>
        <source>Записать видео шоу</source>
        <translation>Record a video of the show</translation>
    </message>
    <message>
        <source>Видео шоу (MP4)</source>
        <translation>Show video (MP4)</translation>
    </message>
    <message>
        <source>Видео MP4 (*.mp4)</source>
        <translation>MP4 video (*.mp4)</translation>
    </message>
    <message>
        <source>Видео не записано:<byte value="xd"/>
</source>
        <translation>The video was not written:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Видео не записано:<byte value="xd"/>
звуковой файл %1: %2</source>
        <translation>The video was not written:<byte value="xd"/>
sound file %1: %2</translation>
    </message>
    <message>
        <source>Запись видео </source>
        <translation>Recording video </translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Запись видео отменена, файл не записан.</source>
        <translation>Video recording cancelled; no file was written.</translation>
    </message>
    <message>
        <source>Видео шоу</source>
        <translation>Show video</translation>
    </message>
    <message>
        <source>Видео не записано:<byte value="xd"/>
конец отрывка должен быть позже его начала</source>
        <translation>The video was not written:<byte value="xd"/>
the part must end after it begins</translation>
    </message>
    <message>
        <source>Запись видео %1
осталось %2</source>
        <translation>Recording the video %1
%2 left</translation>
    </message>
    <message>
        <source>не запускается %1: %2</source>
        <translation>cannot start %1: %2</translation>
    </message>
    <message>
        <source>программа записи остановилась</source>
        <translation>the renderer stopped</translation>
    </message>
    <message>
        <source>Видео записано: %1</source>
        <translation>Video written: %1</translation>
    </message>
</context>
<context>
    <name>pluviane::FileCommands</name>
    <message>
        <source>Новый файл</source>
        <translation>New file</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open file</translation>
    </message>
    <message>
        <source>Записать файл как</source>
        <translation>Save file as</translation>
    </message>
    <message>
        <source>Сохранить файл</source>
        <translation>Save file</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Показать окно записи </source>
        <translation>Show the recorder </translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Файл </source>
        <translation>File </translation>
    </message>
    <message>
        <source>Сообщение</source>
        <translation>Message</translation>
    </message>
    <message>
        <source>Ошибка!<byte value="xd"/>
Файл большего размера</source>
        <translation>Error!<byte value="xd"/>
The file is too large</translation>
    </message>
    <message>
        <source>Файл с таким именем есть. Переписать?</source>
        <translation>A file of this name exists. Overwrite it?</translation>
    </message>
    <message>
        <source>Показать партитуру шоу</source>
        <translation>Show the show track</translation>
    </message>
    <message>
        <source>Сохранить изменения?</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>Сохранить изменения в файле </source>
        <translation>Save the changes in the file </translation>
    </message>
    <message>
        <source>Партитура шоу в %1 повреждена (%2) и не загружена</source>
        <translation>The show track in %1 is damaged (%2) and was not loaded</translation>
    </message>
    <message>
        <source>Музыка партитуры не найдена: </source>
        <translation>The show track&apos;s music was not found: </translation>
    </message>
    <message>
        <source>Партитура шоу не помещается в файл</source>
        <translation>The show track does not fit in the file</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Файл %1 начинается не как файл фонтана. Записать фонтан поверх него?</source>
        <translation>The file %1 does not begin as a fountain file. Write the fountain over it?</translation>
    </message>
    <message>
        <source>файла больше нет</source>
        <translation>the file is gone</translation>
    </message>
    <message>
        <source>Недавние файлы</source>
        <translation>Recent files</translation>
    </message>
</context>
<context>
    <name>pluviane::FilePrompter</name>
    <message>
        <source>Построение фонтана *.wat (*.wat)</source>
        <translation>Fountain layout *.wat (*.wat)</translation>
    </message>
    <message>
        <source>Форма фонтана *.wat (*.wat)</source>
        <translation>Fountain *.wat (*.wat)</translation>
    </message>
    <message>
        <source>Звуковые файлы wav, mp3 (*)</source>
        <translation>Sound files wav, mp3 (*)</translation>
    </message>
    <message>
        <source>Предупреждение</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Восстановление</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>Восстановить</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Отбросить</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Позже</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>pluviane::FirstStart</name>
    <message>
        <source>no examples to copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot create the folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot copy %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no example presets written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Классический круглый фонтан: 1 850 000 руб.</source>
        <translation>Classic round fountain: 1 850 000 rub.</translation>
    </message>
    <message>
        <source>Квадратная чаша: 1 240 000 руб.</source>
        <translation>Square bowl: 1 240 000 rub.</translation>
    </message>
    <message>
        <source>Спираль: 2 100 000 руб.</source>
        <translation>Spiral: 2 100 000 rub.</translation>
    </message>
    <message>
        <source>Круглый фонтан с песней: 1 900 000 руб.</source>
        <translation>Round fountain with a song: 1 900 000 roubles</translation>
    </message>
</context>
<context>
    <name>pluviane::FountainFile</name>
    <message>
        <source>%1 is longer than a fountain file (at most %2 bytes)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no fountain file %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 does not begin as a fountain file (byte 0 is %2, not %3); loading it anyway</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>файл короче %1 байт</source>
        <translation>the file is shorter than %1 bytes</translation>
    </message>
    <message>
        <source>the show track of %1 is damaged (%2); the file loads without it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::FountainRender</name>
    <message>
        <source>cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no such file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot draw a %1x%2 picture: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture size must be between 1x1 and %1x%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot encode the picture: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the show track does not fit</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::GroupTab</name>
    <message>
        <source>На этой закладке собираем струи в группы и привязываем к  номеру фейдера управления</source>
        <translation>On this tab jets are gathered into groups and tied to a control fader number</translation>
    </message>
    <message>
        <source>от струи 16 до 19</source>
        <translation>jets 16 to 19</translation>
    </message>
    <message>
        <source>Построение группы начинается от номера этого фейдера.</source>
        <translation>The group is built from this fader number on.</translation>
    </message>
    <message>
        <source>КолВоСтруй 3</source>
        <translation>Jets 3</translation>
    </message>
    <message>
        <source>Количество струй в группе </source>
        <translation>Number of jets in the group </translation>
    </message>
    <message>
        <source>Привязать группу к номеру 1</source>
        <translation>Tie the group to number 1</translation>
    </message>
    <message>
        <source>Указывает какой фейдер будет управлять этой группой. Фэйдер находится на странице MANUAL и MUSIC.</source>
        <translation>Which fader controls this group. The faders are on the MANUAL and MUSIC pages.</translation>
    </message>
    <message>
        <source>Форма коллектора </source>
        <translation>Manifold shape </translation>
    </message>
    <message>
        <source>Линия</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>Треугольник</source>
        <translation>Triangle</translation>
    </message>
    <message>
        <source>Квадрат</source>
        <translation>Square</translation>
    </message>
    <message>
        <source>Круг</source>
        <translation>Circle</translation>
    </message>
    <message>
        <source>Спираль</source>
        <translation>Spiral</translation>
    </message>
    <message>
        <source>Объект Размер100  пропорция 100 </source>
        <translation>Size 100  proportion 100 </translation>
    </message>
    <message>
        <source>Смещение объекта X=0  Z=0</source>
        <translation>Shift X=0  Z=0</translation>
    </message>
    <message>
        <source>Поворот: группы 0  всех струй 0</source>
        <translation>Turn: group 0  all jets 0</translation>
    </message>
    <message>
        <source>Поворот всех струй в группе вокруг центра чаши</source>
        <translation>Turns all jets of the group about the bowl centre</translation>
    </message>
    <message>
        <source>Поворот всех струй вокруг их выхода из чаши фонтана </source>
        <translation>Turns every jet about its own outlet </translation>
    </message>
    <message>
        <source>Высота струи 100 </source>
        <translation>Jet height 100 </translation>
    </message>
    <message>
        <source>Наклон струи 10 </source>
        <translation>Jet tilt 10 </translation>
    </message>
    <message>
        <source>Пенность 3</source>
        <translation>Foam 3</translation>
    </message>
    <message>
        <source>доп. Функция</source>
        <translation>extra function</translation>
    </message>
    <message>
        <source>Записать</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Записать+новая группа</source>
        <translation>Save+new group</translation>
    </message>
    <message>
        <source>Норма-поворот</source>
        <translation>Centre-turn</translation>
    </message>
    <message>
        <source>Устанавливает группу в ценр фонтана, для поворота вокруг центра группы </source>
        <translation>Puts the group at the fountain centre, to turn it about its own centre </translation>
    </message>
    <message>
        <source>Удалить группу</source>
        <translation>Delete group</translation>
    </message>
    <message>
        <source>Удаляет группу из массива по признаку номера </source>
        <translation>Deletes the group of this number </translation>
    </message>
    <message>
        <source>Весь фонтан</source>
        <translation>Whole fountain</translation>
    </message>
    <message>
        <source>Нормализует высоты всех существующих групп на максимум для осмотра общего вида всего фонтана </source>
        <translation>Raises every group to full height to view the whole fountain </translation>
    </message>
    <message>
        <source>Кол.Струй </source>
        <translation>Jets </translation>
    </message>
    <message>
        <source>От струи </source>
        <translation>Jets </translation>
    </message>
    <message>
        <source> до </source>
        <translation> to </translation>
    </message>
    <message>
        <source>Привязать группу к номеру </source>
        <translation>Tie the group to number </translation>
    </message>
    <message>
        <source>Объект Размер </source>
        <translation>Size </translation>
    </message>
    <message>
        <source> пропорция </source>
        <translation> proportion </translation>
    </message>
    <message>
        <source>Поворот: группы </source>
        <translation>Turn: group </translation>
    </message>
    <message>
        <source> всех струй </source>
        <translation> all jets </translation>
    </message>
    <message>
        <source>Пенность </source>
        <translation>Foam </translation>
    </message>
    <message>
        <source> Высота струи </source>
        <translation> Jet height </translation>
    </message>
    <message>
        <source>Доп.Функц = </source>
        <translation>Extra func = </translation>
    </message>
    <message>
        <source>Смещение объекта X=</source>
        <translation>Shift X=</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Команда не выполнена!
Струй больше 250 </source>
        <translation>Not done!
More than 250 jets </translation>
    </message>
    <message>
        <source>Кнопки индикации использованных номеров групп. Нажатие на кнопку вызывает группу для редактирования </source>
        <translation>The group numbers in use. Press a button to edit that group </translation>
    </message>
</context>
<context>
    <name>pluviane::HelpWindow</name>
    <message>
        <source>Окно помощи</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>            Pluviane — визуализация фонтанов</source>
        <translation>            Pluviane — fountain visualisation</translation>
    </message>
    <message>
        <source>Программа служит для проектирования фонтанов: струи собираются в группы,</source>
        <translation>The program is for designing fountains: jets are gathered into groups,</translation>
    </message>
    <message>
        <source>расставляются вокруг чаши, и весь фонтан сразу виден в объёмном изображении,</source>
        <translation>laid out around the bowl, and the whole fountain is seen at once in a 3D view</translation>
    </message>
    <message>
        <source>которое обновляется в реальном времени, двадцать раз в секунду.</source>
        <translation>that is redrawn live, twenty times a second.</translation>
    </message>
    <message>
        <source>Управление видом (в главном окне):</source>
        <translation>Moving the view (in the main window):</translation>
    </message>
    <message>
        <source>  - левая кнопка мыши нажата и мышь движется — весь фонтан перемещается;</source>
        <translation>  - drag with the left mouse button — the whole fountain moves;</translation>
    </message>
    <message>
        <source>  - правая кнопка мыши нажата и мышь движется — фонтан поворачивается;</source>
        <translation>  - drag with the right mouse button — the fountain turns;</translation>
    </message>
    <message>
        <source>  - клавиши со стрелками — фонтан сдвигается влево, вправо, вверх и вниз;</source>
        <translation>  - the arrow keys — the fountain moves left, right, up and down;</translation>
    </message>
    <message>
        <source>  - Shift, затем стрелки — поворот вокруг горизонтальных осей X и Z;</source>
        <translation>  - Shift, then the arrows — turn about the horizontal axes X and Z;</translation>
    </message>
    <message>
        <source>  - Ctrl, затем стрелки влево и вправо — поворот вокруг вертикальной оси.</source>
        <translation>  - Ctrl, then the left and right arrows — turn about the vertical axis.</translation>
    </message>
    <message>
        <source>Клавиши Shift и Ctrl выбирают, что делают стрелки, пока их не отпустят.</source>
        <translation>Shift and Ctrl choose what the arrows do for as long as they are held.</translation>
    </message>
    <message>
        <source>Масштаб и вращение поля задаются на закладке «Чаша»; кнопка ISOMETR</source>
        <translation>Zoom and the field spin are set on the &quot;Bowl&quot; tab; the ISOMETR button</translation>
    </message>
    <message>
        <source>ставит изометрический вид.</source>
        <translation>gives the isometric view.</translation>
    </message>
    <message>
        <source>Картинка подложки (JPEG или BMP) читается самой программой, отдельная</source>
        <translation>The backdrop picture (JPEG or BMP) is read by the program itself; no extra</translation>
    </message>
    <message>
        <source>библиотека не нужна. Файл muzteatr.jpg из рабочей папки загружается при</source>
        <translation>library is needed. The file muzteatr.jpg in the working folder is loaded at</translation>
    </message>
    <message>
        <source>запуске; другую картинку выбирают кнопкой «Подложка» на закладке «Чаша».</source>
        <translation>start; choose another picture with &quot;Backdrop&quot; on the &quot;Bowl&quot; tab.</translation>
    </message>
    <message>
        <source>Классический фонтан с круглой чашей за одну минуту:</source>
        <translation>A classic fountain with a round bowl in one minute:</translation>
    </message>
    <message>
        <source>  1. Нажмите «Новый файл» на панели инструментов.</source>
        <translation>  1. Press &quot;New file&quot; on the tool bar.</translation>
    </message>
    <message>
        <source>  2. На закладке «Oпции» задайте, как будет меняться каждая следующая</source>
        <translation>  2. On the &quot;Options&quot; tab set how each next group changes:</translation>
    </message>
    <message>
        <source>     группа: например, размер на -20 и высоту на 20.</source>
        <translation>     for example size by -20 and height by 20.</translation>
    </message>
    <message>
        <source>  3. На закладке «Группы» выберите форму коллектора «Круг», размер 150,</source>
        <translation>  3. On the &quot;Groups&quot; tab choose the manifold shape &quot;Circle&quot;, size 150,</translation>
    </message>
    <message>
        <source>     количество струй 12 и высоту струи 60.</source>
        <translation>     12 jets and jet height 60.</translation>
    </message>
    <message>
        <source>  4. Нажмите «Записать+новая группа» несколько раз: каждая новая группа</source>
        <translation>  4. Press &quot;Save+new group&quot; a few times: each new group</translation>
    </message>
    <message>
        <source>     ложится внутри предыдущей и бьёт выше.</source>
        <translation>     lies inside the one before and throws higher.</translation>
    </message>
    <message>
        <source>  5. На закладке «Управление» фейдерами слева задайте высоту каждой</source>
        <translation>  5. On the &quot;Control&quot; tab set each group&apos;s height with the left faders,</translation>
    </message>
    <message>
        <source>     группы, фейдерами справа — её цвет, кнопкой «Все цветные» — радугу.</source>
        <translation>     its colour with the right ones, and a rainbow with &quot;All colours&quot;.</translation>
    </message>
    <message>
        <source>  6. На закладке «Чаша» выберите число углов 21 и размер чаши.</source>
        <translation>  6. On the &quot;Bowl&quot; tab choose 21 corners and the bowl size.</translation>
    </message>
    <message>
        <source>  7. Сохраните фонтан кнопкой «Записать файл как».</source>
        <translation>  7. Save the fountain with &quot;Save file as&quot;.</translation>
    </message>
    <message>
        <source>Файл фонтана (*.wat) хранит струи, группы, цвета, записанные формы и</source>
        <translation>A fountain file (*.wat) keeps the jets, groups, colours, recorded forms and</translation>
    </message>
    <message>
        <source>сцены, а также чашу, подложку и вид. Флажок «Load» на закладке «Чаша»</source>
        <translation>scenes, and the bowl, backdrop and view. The &quot;Load&quot; check box on the &quot;Bowl&quot; tab</translation>
    </message>
    <message>
        <source>решает, берётся ли чаша из открываемого файла. Кнопка «Открыть файл c</source>
        <translation>decides whether the bowl is taken from a file being opened. The button &quot;Open a file</translation>
    </message>
    <message>
        <source>параметрами чаши» берёт из файла только чашу. Кнопка отмены</source>
        <translation>for its bowl only&quot; takes just the bowl from a file. The undo button</translation>
    </message>
    <message>
        <source>возвращает фонтан к последнему открытому или сохранённому файлу.</source>
        <translation>takes the fountain back to the file last opened or saved.</translation>
    </message>
    <message>
        <source>Закладка «Ред.Струи» правит одну струю: выберите её номер и двигайте</source>
        <translation>The &quot;Jet edit&quot; tab edits one jet: choose its number and move</translation>
    </message>
    <message>
        <source>полосы высоты, наклона, поворота, пенности и положения.</source>
        <translation>the bars for height, tilt, turn, foam and position.</translation>
    </message>
    <message>
        <source>Задуманные расширения:</source>
        <translation>Planned extensions:</translation>
    </message>
    <message>
        <source>  - коллекторы произвольной формы, нарисованные мышью;</source>
        <translation>  - manifolds of any shape, drawn with the mouse;</translation>
    </message>
    <message>
        <source>  - запись шоу под музыку с привязкой к времени;</source>
        <translation>  - shows recorded to music on a time line;</translation>
    </message>
    <message>
        <source>  - вывод изображения в файл и видеоролик;</source>
        <translation>  - pictures and videos written to files;</translation>
    </message>
    <message>
        <source>  - смета фонтана по числу форсунок и насосов;</source>
        <translation>  - a cost estimate from the number of nozzles and pumps;</translation>
    </message>
    <message>
        <source>  - подсветка чаши и дна.</source>
        <translation>  - lighting of the bowl and its floor.</translation>
    </message>
    <message>
        <source>Окно помощи можно прокручивать; набранный здесь текст нигде не</source>
        <translation>The help window scrolls; text typed here is not</translation>
    </message>
    <message>
        <source>сохраняется.</source>
        <translation>kept anywhere.</translation>
    </message>
    <message>
        <source>Пожелания и замечания присылайте по адресу </source>
        <translation>Send wishes and remarks to </translation>
    </message>
</context>
<context>
    <name>pluviane::JetTab</name>
    <message>
        <source>Установка и привязка только одной выбранной струи </source>
        <translation>Set up and tie one chosen jet only </translation>
    </message>
    <message>
        <source>Выбор номера струи 0FF </source>
        <translation>Jet number 0FF </translation>
    </message>
    <message>
        <source>Принадлежность к группе - OFF</source>
        <translation>Belongs to group - OFF</translation>
    </message>
    <message>
        <source>Пенность струи</source>
        <translation>Jet foam</translation>
    </message>
    <message>
        <source>Высота струи 1 </source>
        <translation>Jet height 1 </translation>
    </message>
    <message>
        <source>Наклон струи 1 </source>
        <translation>Jet tilt 1 </translation>
    </message>
    <message>
        <source>Поворот струи 0</source>
        <translation>Jet turn 0</translation>
    </message>
    <message>
        <source>Позиция струи по Z 0 </source>
        <translation>Jet position Z 0 </translation>
    </message>
    <message>
        <source>Позиция струи по X 0 </source>
        <translation>Jet position X 0 </translation>
    </message>
    <message>
        <source>Позиция струи по Y 0 </source>
        <translation>Jet position Y 0 </translation>
    </message>
    <message>
        <source>Наполнение струи 1 </source>
        <translation>Jet fill 1 </translation>
    </message>
    <message>
        <source>Глобально все данные </source>
        <translation>All data at once </translation>
    </message>
    <message>
        <source>Привязка к Группе: OFF</source>
        <translation>Group: OFF</translation>
    </message>
    <message>
        <source>Привязка к Группе: </source>
        <translation>Group: </translation>
    </message>
    <message>
        <source>Пенность струи </source>
        <translation>Jet foam </translation>
    </message>
    <message>
        <source> Высота струи </source>
        <translation> Jet height </translation>
    </message>
    <message>
        <source>Наклон струи </source>
        <translation>Jet tilt </translation>
    </message>
    <message>
        <source>Поворот струи </source>
        <translation>Jet turn </translation>
    </message>
    <message>
        <source>Позиция струи Z= </source>
        <translation>Jet position Z= </translation>
    </message>
    <message>
        <source>Позиция струи X= </source>
        <translation>Jet position X= </translation>
    </message>
    <message>
        <source>Позиция струи Y= </source>
        <translation>Jet position Y= </translation>
    </message>
    <message>
        <source> Струя в виде Линии </source>
        <translation> Jet as a line </translation>
    </message>
    <message>
        <source> Наполнение струи </source>
        <translation> Jet fill </translation>
    </message>
    <message>
        <source>Выбор номера струи </source>
        <translation>Jet number </translation>
    </message>
</context>
<context>
    <name>pluviane::MainWindow</name>
    <message>
        <source>Визуализация фонтанов</source>
        <translation>Fountain visualisation</translation>
    </message>
    <message>
        <source>Запись кнопок быстрого перехода </source>
        <translation>Recording the preset buttons </translation>
    </message>
    <message>
        <source>Форсунок всего : </source>
        <translation>Nozzles in all : </translation>
    </message>
    <message>
        <source>Редактор</source>
        <translation>Editor</translation>
    </message>
    <message>
        <source>Показать окно редактора (%1)</source>
        <translation>Show the editor window (%1)</translation>
    </message>
</context>
<context>
    <name>pluviane::ManualTab</name>
    <message>
        <source>Установка цвета и высоты груп форсунок вручную </source>
        <translation>Group colours and heights by hand </translation>
    </message>
    <message>
        <source>Высота струи            Цвет струи</source>
        <translation>Jet height               Jet colour</translation>
    </message>
    <message>
        <source>Цветность 255</source>
        <translation>Saturation 255</translation>
    </message>
    <message>
        <source>Яркость 255</source>
        <translation>Brightness 255</translation>
    </message>
    <message>
        <source>Все в МАХ</source>
        <translation>All to MAX</translation>
    </message>
    <message>
        <source>Все в МIN</source>
        <translation>All to MIN</translation>
    </message>
    <message>
        <source>Все Белые</source>
        <translation>All white</translation>
    </message>
    <message>
        <source>Все цветные</source>
        <translation>All colours</translation>
    </message>
    <message>
        <source>Высота струи %1</source>
        <translation>Jet height %1</translation>
    </message>
    <message>
        <source>Цвет струи %1</source>
        <translation>Jet colour %1</translation>
    </message>
    <message>
        <source>Цветность </source>
        <translation>Saturation </translation>
    </message>
    <message>
        <source>Яркость </source>
        <translation>Brightness </translation>
    </message>
</context>
<context>
    <name>pluviane::MediaSoundPlayer</name>
    <message>
        <source>Файл не воспроизводится</source>
        <translation>The file does not play</translation>
    </message>
</context>
<context>
    <name>pluviane::MusicDecoder</name>
    <message>
        <source>Разбор музыки прерван</source>
        <translation>Music analysis cancelled</translation>
    </message>
    <message>
        <source>В файле нет звука, который можно прочесть</source>
        <translation>The file holds no sound that can be read</translation>
    </message>
    <message>
        <source>Файл не найден</source>
        <translation>File not found</translation>
    </message>
    <message>
        <source>Это не обычный файл</source>
        <translation>This is not a regular file</translation>
    </message>
    <message>
        <source>В файле нет звуковой дорожки</source>
        <translation>The file has no sound stream</translation>
    </message>
    <message>
        <source>Звук в файле не читается</source>
        <translation>The sound in the file cannot be read</translation>
    </message>
    <message>
        <source>Неверная частота %1</source>
        <translation>Wrong sample rate %1</translation>
    </message>
    <message>
        <source>Частота дискретизации %1 Гц — не звук: файл повреждён</source>
        <translation>A sample rate of %1 Hz is no sound: the file is damaged</translation>
    </message>
</context>
<context>
    <name>pluviane::MusicPanel</name>
    <message>
        <source>Открыть звуковой файл</source>
        <translation>Open a sound file</translation>
    </message>
    <message>
        <source>Играть</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>В начало</source>
        <translation>To the start</translation>
    </message>
    <message>
        <source>Длина      </source>
        <translation>Length      </translation>
    </message>
    <message>
        <source>Позиция  0 min  0 sec </source>
        <translation>Position  0 min  0 sec </translation>
    </message>
    <message>
        <source>Осталось </source>
        <translation>Left </translation>
    </message>
    <message>
        <source>Нет звукового устройства</source>
        <translation>No sound device</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Файл </source>
        <translation>File </translation>
    </message>
    <message>
        <source>Отсчеты:   </source>
        <translation>Samples:   </translation>
    </message>
    <message>
        <source>Позиция    </source>
        <translation>Position    </translation>
    </message>
    <message>
        <source>Осталось   </source>
        <translation>Left   </translation>
    </message>
</context>
<context>
    <name>pluviane::MusicWriter</name>
    <message>
        <source>no FLAC encoder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot rename %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::OffscreenFrame</name>
    <message>
        <source>empty picture size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the window system offers no OpenGL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the window system&apos;s OpenGL context cannot be used</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no memory for a %1 x %2 picture</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::OptionsTab</name>
    <message>
        <source>Автоматическое измение данных   при нажатии на кнопку (Записать + новая группа)</source>
        <translation>What changes by itself at each press of (Save+new group)</translation>
    </message>
    <message>
        <source>Изменить размер на  0</source>
        <translation>Change size by  0</translation>
    </message>
    <message>
        <source>Изменить размер на </source>
        <translation>Change size by </translation>
    </message>
    <message>
        <source>Автоматическое измение размера  при нажатии на кнопку (Записать + новая группа)</source>
        <translation>Size change at each press of (Save+new group)</translation>
    </message>
    <message>
        <source>Повернуть на  0</source>
        <translation>Turn by  0</translation>
    </message>
    <message>
        <source>Повернуть на  </source>
        <translation>Turn by  </translation>
    </message>
    <message>
        <source>Автоматический поворот  при нажатии на кнопку (Записать + )</source>
        <translation>Turn at each press of (Save+ )</translation>
    </message>
    <message>
        <source>на Колво струй 0 </source>
        <translation>Jets by 0 </translation>
    </message>
    <message>
        <source>на Количество струй </source>
        <translation>Jets by </translation>
    </message>
    <message>
        <source>Автоматическое измение Количества струй  при нажатии на кнопку (Записать + новая группа)</source>
        <translation>Change in the number of jets at each press of (Save+new group)</translation>
    </message>
    <message>
        <source>Изменение высоты на 0</source>
        <translation>Change height by 0</translation>
    </message>
    <message>
        <source>Изменение высоты на </source>
        <translation>Change height by </translation>
    </message>
    <message>
        <source>Автоматическое измение высоты  при нажатии на кнопку (Записать + новая группа)</source>
        <translation>Height change at each press of (Save+new group)</translation>
    </message>
    <message>
        <source>Смещение по Х на 0</source>
        <translation>Shift X by 0</translation>
    </message>
    <message>
        <source>Смещение по Х на </source>
        <translation>Shift X by </translation>
    </message>
    <message>
        <source>Смещение по Z на 0</source>
        <translation>Shift Z by 0</translation>
    </message>
    <message>
        <source>Смещение по Z на </source>
        <translation>Shift Z by </translation>
    </message>
    <message>
        <source>Язык / Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Как на рабочем столе</source>
        <translation>As on the desktop</translation>
    </message>
    <message>
        <source>Язык сменится при следующем запуске программы</source>
        <translation>The language changes at the next start of the program</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>К центру</source>
        <translation>To the centre</translation>
    </message>
    <message>
        <source>При включенном флажке новая группа устанавливается в центр при нажатии на кнопку (Запмсать+новаягруппа)</source>
        <translation>When checked, each new group is put at the centre by (Save+new group)</translation>
    </message>
    <message>
        <source>Чашу в -0- </source>
        <translation>Bowl at -0- </translation>
    </message>
    <message>
        <source>При флажке при нажатии на кнопку NewFile устанавливает чашу в нулевые координаты </source>
        <translation>When checked, NewFile puts the bowl at the origin </translation>
    </message>
    <message>
        <source>Вкл подставление имени </source>
        <translation>Name new files </translation>
    </message>
    <message>
        <source>Имя файла которое будет подставляться c цифрой при нажатии на кнопку NewFile </source>
        <translation>File name that NewFile gives, with a number added </translation>
    </message>
    <message>
        <source>Автоматическое измение положения   при нажатии на кнопку (Записать + новая группа)</source>
        <translation>Position change at each press of (Save+new group)</translation>
    </message>
    <message>
        <source>Не удаётся записать в %1</source>
        <translation>Unable to write to %1</translation>
    </message>
</context>
<context>
    <name>pluviane::PresetList</name>
    <message>
        <source>Правая кнопка записывает имена файлов фонтана, подложки и  </source>
        <translation>The right button stores the names of the fountain file, the backdrop and  </translation>
    </message>
    <message>
        <source>Сумма сметы</source>
        <translation>Estimated cost</translation>
    </message>
    <message>
        <source>Записывать и файл</source>
        <translation>Save the file too</translation>
    </message>
    <message>
        <source>Закрыть окно</source>
        <translation>Close window</translation>
    </message>
    <message>
        <source>Ошибка</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>По смете : </source>
        <translation>Estimate : </translation>
    </message>
    <message>
        <source>Записать для кнопки 1 </source>
        <translation>Record for button 1 </translation>
    </message>
    <message>
        <source>Записать для кнопки 2 </source>
        <translation>Record for button 2 </translation>
    </message>
    <message>
        <source>Записать для кнопки 3 </source>
        <translation>Record for button 3 </translation>
    </message>
    <message>
        <source>Записать для кнопки 4 </source>
        <translation>Record for button 4 </translation>
    </message>
    <message>
        <source>Записать для кнопки 5 </source>
        <translation>Record for button 5 </translation>
    </message>
    <message>
        <source>Записать для кнопки 6 </source>
        <translation>Record for button 6 </translation>
    </message>
    <message>
        <source>Записать для кнопки 7 </source>
        <translation>Record for button 7 </translation>
    </message>
    <message>
        <source>Записать для кнопки 8  </source>
        <translation>Record for button 8  </translation>
    </message>
    <message>
        <source>Записать для кнопки  9</source>
        <translation>Record for button  9</translation>
    </message>
    <message>
        <source>Записать для кнопки  10</source>
        <translation>Record for button  10</translation>
    </message>
    <message>
        <source>Записать для кнопки  11</source>
        <translation>Record for button  11</translation>
    </message>
    <message>
        <source>Записать для кнопки 12 </source>
        <translation>Record for button 12 </translation>
    </message>
    <message>
        <source>Театр</source>
        <translation>Theatre</translation>
    </message>
    <message>
        <source>Слава</source>
        <translation>Slava</translation>
    </message>
    <message>
        <source>Записать для кнопки  13 </source>
        <translation>Record for button  13 </translation>
    </message>
    <message>
        <source>Записать для кнопки  14</source>
        <translation>Record for button  14</translation>
    </message>
    <message>
        <source>Не удаётся записать в %1</source>
        <translation>Unable to write to %1</translation>
    </message>
    <message>
        <source>Имя файла нельзя записать в файл настроек:<byte value="xd"/>
</source>
        <translation>This file name cannot be kept in the settings file:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Файл фонтана не найден:<byte value="xd"/>
</source>
        <translation>The fountain file is missing:<byte value="xd"/>
</translation>
    </message>
</context>
<context>
    <name>pluviane::ProfileFile</name>
    <message>
        <source>Не удаётся создать папку %1</source>
        <translation>Cannot create the folder %1</translation>
    </message>
</context>
<context>
    <name>pluviane::RecorderWindow</name>
    <message>
        <source>Запись и редактирование форм струй и  цвета - яркости софитов</source>
        <translation>Recording and editing of jet forms and light colour and brightness</translation>
    </message>
    <message>
        <source> Давление воды группы в форме </source>
        <translation> Group water pressure in form </translation>
    </message>
    <message>
        <source>Скорость нарастания давления </source>
        <translation>Pressure rise rate </translation>
    </message>
    <message>
        <source> Цвет группы софитов в сцене  </source>
        <translation> Group light colour in scene  </translation>
    </message>
    <message>
        <source>ВСЕ</source>
        <translation>ALL</translation>
    </message>
    <message>
        <source>Номер формы </source>
        <translation>Form number </translation>
    </message>
    <message>
        <source>Всего форм </source>
        <translation>Forms in all </translation>
    </message>
    <message>
        <source>Номер сцены </source>
        <translation>Scene number </translation>
    </message>
    <message>
        <source>Всего сцен </source>
        <translation>Scenes in all </translation>
    </message>
    <message>
        <source>Записать </source>
        <translation>Record </translation>
    </message>
    <message>
        <source>Записать и следующая</source>
        <translation>Record and go to the next</translation>
    </message>
    <message>
        <source>Управление давлением воды  - форма </source>
        <translation>Water pressure  - form </translation>
    </message>
    <message>
        <source>Номер формы 1</source>
        <translation>Form number 1</translation>
    </message>
    <message>
        <source>Всего форм 3</source>
        <translation>Forms in all 3</translation>
    </message>
    <message>
        <source>Управление яркостью и цветом софитов </source>
        <translation>Light brightness and colour </translation>
    </message>
    <message>
        <source>Номер сцены 1</source>
        <translation>Scene number 1</translation>
    </message>
    <message>
        <source>Всего сцен 3</source>
        <translation>Scenes in all 3</translation>
    </message>
</context>
<context>
    <name>pluviane::RecoveryCopy</name>
    <message>
        <source>Восстановление</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>no recovery copy written: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>нового фонтана</source>
        <translation>a new fountain</translation>
    </message>
    <message>
        <source>Копия несохранённых изменений %1 повреждена (%2) и отложена в %3</source>
        <translation>The copy of the unsaved changes to %1 is damaged (%2) and was set aside in %3</translation>
    </message>
    <message>
        <source>Восстановить несохранённые изменения %1 от %2?</source>
        <translation>Restore the unsaved changes to %1 from %2?</translation>
    </message>
    <message>
        <source>Файл %1 изменён и не сохранён в другой запущенной программе (процесс %2).<byte value="xd"/>
Открыть его только для чтения?</source>
        <translation>The file %1 has unsaved changes in another running program (process %2).<byte value="xd"/>
Open it read-only?</translation>
    </message>
    <message>
        <source>Файл изменён другой программой: %1<byte value="xd"/>
Переписать его?</source>
        <translation>The file was changed by another program: %1<byte value="xd"/>
Overwrite it?</translation>
    </message>
</context>
<context>
    <name>pluviane::RegularFile</name>
    <message>
        <source>it is a folder, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a pipe (FIFO), not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>pluviane::SequencerPanel</name>
    <message>
        <source>Открыть файл Cеквенций</source>
        <translation>Open a file for its show only</translation>
    </message>
    <message>
        <source> Форма </source>
        <translation> Form </translation>
    </message>
    <message>
        <source>  Сцена  </source>
        <translation>  Scene  </translation>
    </message>
    <message>
        <source> Форма N 01 </source>
        <translation> Form N 01 </translation>
    </message>
    <message>
        <source>Управление секвенсером</source>
        <translation>Sequencer control</translation>
    </message>
    <message>
        <source>Плавность изменения</source>
        <translation>Smoothness</translation>
    </message>
    <message>
        <source>Плавность изменения </source>
        <translation>Smoothness </translation>
    </message>
    <message>
        <source>Скорость смены форм </source>
        <translation>Form change speed </translation>
    </message>
    <message>
        <source> Сцена N 01 </source>
        <translation> Scene N 01 </translation>
    </message>
    <message>
        <source>Управление цветом</source>
        <translation>Colour control</translation>
    </message>
    <message>
        <source>Cкорость смены цвета </source>
        <translation>Colour change speed </translation>
    </message>
    <message>
        <source>Скор. смены сцен цвета</source>
        <translation>Scene change speed</translation>
    </message>
    <message>
        <source>Скор. смены сцен цвета </source>
        <translation>Scene change speed </translation>
    </message>
</context>
<context>
    <name>pluviane::ShowTrack</name>
    <message>
        <source>запись короче заголовка</source>
        <translation>the record is shorter than its header</translation>
    </message>
    <message>
        <source>имя музыки выходит за конец записи</source>
        <translation>the music name runs past the end of the record</translation>
    </message>
    <message>
        <source>число меток не совпадает с длиной записи</source>
        <translation>the number of cues does not match the record length</translation>
    </message>
    <message>
        <source>метка %1 позже четырёх часов</source>
        <translation>cue %1 is later than four hours</translation>
    </message>
    <message>
        <source>метка %1 стоит раньше предыдущей</source>
        <translation>cue %1 comes before the one before it</translation>
    </message>
    <message>
        <source>файл обрывается в заголовке</source>
        <translation>the file ends inside its header</translation>
    </message>
    <message>
        <source>неизвестная версия %1</source>
        <translation>unknown version %1</translation>
    </message>
    <message>
        <source>длина выходит за конец файла</source>
        <translation>the length runs past the end of the file</translation>
    </message>
    <message>
        <source>неверная контрольная сумма</source>
        <translation>wrong checksum</translation>
    </message>
    <message>
        <source>Метка %1 ставит форму %2, записано форм %3</source>
        <translation>Cue %1 sets form %2, but %3 forms are recorded</translation>
    </message>
    <message>
        <source>Метка %1 ставит сцену %2, записано сцен %3</source>
        <translation>Cue %1 sets scene %2, but %3 scenes are recorded</translation>
    </message>
    <message>
        <source>нужно «начало&lt;TAB&gt;конец&lt;TAB&gt;метка»</source>
        <translation>expected &quot;start&lt;TAB&gt;end&lt;TAB&gt;label&quot;</translation>
    </message>
    <message>
        <source>время «%1» не от 0 до 4 часов</source>
        <translation>time &quot;%1&quot; is not between 0 and 4 hours</translation>
    </message>
    <message>
        <source>метка «%1»: нужно F1..F255 и/или S1..S255</source>
        <translation>label &quot;%1&quot;: expected F1..F255 and/or S1..S255</translation>
    </message>
    <message>
        <source>больше %1 меток</source>
        <translation>more than %1 cues</translation>
    </message>
    <message>
        <source>не файл</source>
        <translation>not a file</translation>
    </message>
    <message>
        <source>файл не найден</source>
        <translation>file not found</translation>
    </message>
    <message>
        <source>файл больше 4 МБ</source>
        <translation>file larger than 4 MB</translation>
    </message>
    <message>
        <source>%1, строка %2: %3</source>
        <translation>%1, line %2: %3</translation>
    </message>
    <message>
        <source>больше %1 маркеров</source>
        <translation>more than %1 markers</translation>
    </message>
    <message>
        <source>метка «%1»: переход cut, sweep, fade=мс или ramp=мс (до 60000)</source>
        <translation>label “%1”: the transition is cut, sweep, fade=ms or ramp=ms (up to 60000)</translation>
    </message>
    <message>
        <source>метка %1: неизвестный переход</source>
        <translation>cue %1: unknown transition</translation>
    </message>
    <message>
        <source>маркеры выходят за конец записи</source>
        <translation>the markers run past the end of the track</translation>
    </message>
    <message>
        <source>сжатая запись не распаковывается</source>
        <translation>the packed track does not unpack</translation>
    </message>
</context>
<context>
    <name>pluviane::TimelineView</name>
    <message>
        <source>Форма</source>
        <translation>Form</translation>
    </message>
    <message>
        <source>Сцена</source>
        <translation>Scene</translation>
    </message>
    <message>
        <source>Номер формы</source>
        <translation>Form number</translation>
    </message>
    <message>
        <source>Номер сцены</source>
        <translation>Scene number</translation>
    </message>
    <message>
        <source>формы</source>
        <translation>forms</translation>
    </message>
    <message>
        <source>сцены</source>
        <translation>scenes</translation>
    </message>
    <message>
        <source>Маркер</source>
        <translation>Marker</translation>
    </message>
    <message>
        <source>Имя маркера</source>
        <translation>Marker name</translation>
    </message>
    <message>
        <source>В буфере обмена нет меток</source>
        <translation>The clipboard holds no cues</translation>
    </message>
    <message>
        <source>В партитуре уже %1 меток, больше не помещается</source>
        <translation>The track already holds %1 cues; no more fit</translation>
    </message>
    <message>
        <source>В партитуре уже %1 маркеров, больше не помещается</source>
        <translation>The show track already holds %1 markers, no more fit</translation>
    </message>
    <message>
        <source>Маркер %1</source>
        <translation>Marker %1</translation>
    </message>
    <message>
        <source>форма %1</source>
        <translation>form %1</translation>
    </message>
    <message>
        <source>, уровни за %1 мс</source>
        <translation>, levels over %1 ms</translation>
    </message>
    <message>
        <source>, уровни шагом записи</source>
        <translation>, levels at the recorder&apos;s ramp step</translation>
    </message>
    <message>
        <source>сцена %1</source>
        <translation>scene %1</translation>
    </message>
    <message>
        <source>, сразу</source>
        <translation>, cut</translation>
    </message>
    <message>
        <source>, переход за %1 мс</source>
        <translation>, fade over %1 ms</translation>
    </message>
    <message>
        <source>, перебор цветов записи</source>
        <translation>, the recorder&apos;s colour sweep</translation>
    </message>
</context>
<context>
    <name>pluviane::TimelineWindow</name>
    <message>
        <source>Партитура шоу</source>
        <translation>Show track</translation>
    </message>
    <message>
        <source>Метки (*.txt);;Все файлы (*)</source>
        <translation>Labels (*.txt);;All files (*)</translation>
    </message>
    <message>
        <source>Записать метки</source>
        <translation>Save cues</translation>
    </message>
    <message>
        <source>Открыть метки</source>
        <translation>Open cues</translation>
    </message>
    <message>
        <source>В начало</source>
        <translation>To the start</translation>
    </message>
    <message>
        <source>Играть / пауза (пробел)</source>
        <translation>Play / pause (space)</translation>
    </message>
    <message>
        <source>Форма сюда</source>
        <translation>Form here</translation>
    </message>
    <message>
        <source>Метка с текущей формой записи у указателя</source>
        <translation>A cue with the recorder&apos;s current form at the pointer</translation>
    </message>
    <message>
        <source>Сцена сюда</source>
        <translation>Scene here</translation>
    </message>
    <message>
        <source>Метка с текущей сценой записи у указателя</source>
        <translation>A cue with the recorder&apos;s current scene at the pointer</translation>
    </message>
    <message>
        <source>Удалить метку (Delete)</source>
        <translation>Delete cue (Delete)</translation>
    </message>
    <message>
        <source>Метки из файла Audacity</source>
        <translation>Cues from an Audacity file</translation>
    </message>
    <message>
        <source>Метки в файл Audacity</source>
        <translation>Cues to an Audacity file</translation>
    </message>
    <message>
        <source>Играть по партитуре</source>
        <translation>Play by the track</translation>
    </message>
    <message>
        <source>Формы и сцены меняются по меткам, в такт музыке</source>
        <translation>Forms and scenes change at the cues, in time with the music</translation>
    </message>
    <message>
        <source>Разбор %p%</source>
        <translation>Analysis %p%</translation>
    </message>
    <message>
        <source>--- уд/мин</source>
        <translation>--- bpm</translation>
    </message>
    <message>
        <source>В партитуре уже %1 меток, больше не помещается</source>
        <translation>The track already holds %1 cues; no more fit</translation>
    </message>
    <message>
        <source>Метки не загружены: </source>
        <translation>Cues not loaded: </translation>
    </message>
    <message>
        <source>Записано меток: %1 в %2</source>
        <translation>Cues saved: %1 to %2</translation>
    </message>
    <message>
        <source>Метки не записаны: %1: %2</source>
        <translation>Cues not saved: %1: %2</translation>
    </message>
    <message>
        <source>%1 уд/мин</source>
        <translation>%1 bpm</translation>
    </message>
    <message>
        <source>Музыка не разобрана: %1: %2</source>
        <translation>Music not analysed: %1: %2</translation>
    </message>
    <message>
        <source>Музыка %1 длиннее, чем партитура может вместить: взяты первые %2</source>
        <translation>The music %1 is longer than the track can hold: the first %2 are taken</translation>
    </message>
    <message>
        <source>Маркер у указателя (M)</source>
        <translation>Marker at the play head (M)</translation>
    </message>
    <message>
        <source>Вся песня</source>
        <translation>Whole song</translation>
    </message>
    <message>
        <source>без сетки</source>
        <translation>no grid</translation>
    </message>
    <message>
        <source>доля</source>
        <translation>beat</translation>
    </message>
    <message>
        <source>полдоли</source>
        <translation>half beat</translation>
    </message>
    <message>
        <source>такт</source>
        <translation>bar</translation>
    </message>
    <message>
        <source>Куда прилипают метки (Shift при перетаскивании — никуда)</source>
        <translation>What cues snap to (Shift while dragging: nothing)</translation>
    </message>
    <message>
        <source>Петля</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>Играть снова и снова отрезок, выделенный на линейке</source>
        <translation>Play the stretch marked on the ruler again and again</translation>
    </message>
    <message>
        <source>Загружено меток: %1, маркеров: %2 из %3</source>
        <translation>Loaded %1 cues and %2 markers from %3</translation>
    </message>
</context>
<context>
    <name>pluviane::VideoEncoder</name>
    <message>
        <source>not a sound file that can be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no sound in the file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>out of memory</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FFmpeg has no H.264 encoder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no colour conversion to YUV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>FFmpeg has no AAC encoder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the picture size must be between 16x16 and %1x%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a video&apos;s width and height must be even</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the frame rate must be between 1 and %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the duration must be more than 0 and at most 24 hours</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot read sound file %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a picture of the wrong size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot write %1: the disk refused the last bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no sound decodes from it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
