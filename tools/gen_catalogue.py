#!/usr/bin/env python3
"""Writes a deterministic full-size KMLB catalogue in the resource layout the program reads.

The output folder gets TEXT/KMLB_TRACKS.txt, TEXT/KMLB_XLS.txt, TEXT/TRANSLATECATS.txt,
TEXT/SIMILARCD.txt, TEXT/WRITERSINFO.txt and one NFO/KMLB_ccc.nfo per CD, all in code page
1251 with CR LF line ends and the "®" end mark, so it can be passed to the program with
--catalogue DIR or loaded by the benchmarks. The same seed always gives the same bytes.

    python3 tools/gen_catalogue.py --out DIR [--seed N] [--cds N] [--shuffle]
                                   [--audio-home DIR (--audio-cds N | --audio-all)]

--audio-home also writes placeholder audio files DIR/audio/KMLB_ccc/KMLB_ccc_ttt <title>.wav
or .mp3 for the tracks of the first --audio-cds CDs (or of every CD with --audio-all), for the
program's local file scan.

The vocabularies, translations and writers below are shared with make_sample_catalogue.py.
"""
import argparse
import os
import random
import struct
import sys

# --- Vocabularies of the descriptor table -------------------------------------------

STYLES = [
    "ACOUSTIC", "AMBIENT", "BREAKBEAT", "CHANSON", "CINEMATIC", "CLASSICAL", "COMEDY",
    "CORPORATE", "DANCE", "DISCO", "ELECTRONICA", "ETHNO", "FOLK", "FUNK", "JAZZ", "LATINA",
    "LOUNGE", "MARCH", "NEW YEAR", "ORCHESTRAL", "PERCUSSION", "POP", "PPRCK", "R-N-B",
    "R-N-R", "REMIX", "ROCK", "TANGO", "WALTZ",
]
EPOCHS = ["RETRO", "60-70s", "80-90s"]
CAMELOT_KEYS = ["%d%s" % (n, m) for m in "AB" for n in range(1, 13)]

# The fifteen top-level collections, in the order of the search area box, with the
# Russian names the category translation table gives them.
SEARCH_AREAS = [
    ("CORPORATE MUSIC", "Бизнес тематика"),
    ("AROUND THE WORLD", "Вокруг света"),
    ("HUMOR, COMEDY, CHILDREN", "Юмор, комедия, детское"),
    ("CLASSICS / NEO-CLASSICS", "Классика / неоклассика"),
    ("CLUB / ELECTRONICA", "Клубная / электроника"),
    ("FASHION TEXTURE", "Модная фактура"),
    ("FILM MUSIC", "Музыка для кино"),
    ("NAUGHTY / EMOTIONAL", "Дерзкая / эмоциональная"),
    ("POSITIVE ATTITUDE", "Позитивный настрой"),
    ("CHRISTMAS STORY", "Новогодняя история"),
    ("VINTAGE STYLINGS", "Винтажная стилистика"),
    ("STYLISH BACKGROUND", "Стильный фон"),
    ("ENERGY / MOVING", "Энергия / движение"),
    ("FX / JINGLES", "Эффекты и заставки"),
    ("IMAGING ELEMENTS", "Оформление эфира"),
]
ALL_LIBRARY = "* ALL LIBRARY"
SALE_CATEGORY = ALL_LIBRARY + " >> \u2026 SALE"

# Segments the catalogue derives itself (and the sale collection), with their translations.
DERIVED_TRANSLATIONS = [
    ("* ALL LIBRARY", "* НАПРАВЛЕНИЯ"),
    ("\u2026 ALL CDS", "\u2026 Сборники"),
    ("\u2026 NEW CDS", "\u2026 Новинки"),
    ("\u2026 SALE", "\u2026 Распродажа"),
    ("\u2026 CDS BY YEAR", "* СБОРНИКИ ПО ГОДУ ВЫПУСКА"),
]

# Genre categories (two segments) besides the search areas.
GENRE_CATEGORIES = [
    "EFFECTS - (MUSIC & EFFECTS) >> SWEEPS",
    "EFFECTS - (MUSIC & EFFECTS) >> ZAPS",
    "EFFECTS - (MUSIC & EFFECTS) >> WHOOSHES",
    "EFFECTS - (MUSIC & EFFECTS) >> IMPACTS",
    "EFFECTS - (MUSIC & EFFECTS) >> TRANSITIONS",
    "DANCE MUSIC >> LINKS, LOGOS & STINGS",
    "DANCE MUSIC >> HOUSE",
    "DANCE MUSIC >> TECHNO",
    "DANCE MUSIC >> BREAKBEAT",
    "DRAMA >> SUSPENSE",
    "DRAMA >> TENSION",
    "DRAMA >> SADNESS",
    "ACTION >> CHASE",
    "ACTION >> SPORTS",
    "CORPORATE >> PRESENTATION",
    "CORPORATE >> TECHNOLOGY",
    "CORPORATE >> SUCCESS",
    "WORLD >> LATIN AMERICA",
    "WORLD >> ASIA",
    "WORLD >> EUROPE",
    "WORLD >> AFRICA",
    "WORLD >> RUSSIA",
    "CHILDREN >> CARTOONS",
    "CHILDREN >> LULLABIES",
    "COMEDY >> QUIRKY",
    "CLASSICAL >> PIANO",
    "CLASSICAL >> STRINGS",
    "CLASSICAL >> BAROQUE",
    "ORCHESTRAL >> EPIC",
    "ORCHESTRAL >> ADVENTURE",
    "ROCK >> INDIE",
    "ROCK >> GARAGE",
    "ROCK >> METAL",
    "POP >> HAPPY",
    "POP >> ROMANTIC",
    "JAZZ >> SWING",
    "JAZZ >> SMOOTH",
    "LOUNGE >> CHILL OUT",
    "LOUNGE >> BOSSA NOVA",
    "HOLIDAYS >> NEW YEAR & CHRISTMAS",
    "RETRO >> ROCK-N-ROLL",
    "RETRO >> DISCO",
    "ELECTRONICA >> AMBIENT",
    "FASHION >> CATWALK",
    "NATURE >> LANDSCAPES",
    "TRAILERS >> EPIC",
    "RADIO >> IDENTS",
    "RADIO >> JINGLES",
]

# Russian names of category segments. First segments keep the capitals of the tree's
# top level only where they start with "*"; the rest read as ordinary captions.
SEGMENT_RU = {
    "EFFECTS - (MUSIC & EFFECTS)": "Эффекты (музыка и эффекты)",
    "SWEEPS": "Свипы (sweeps)",
    "ZAPS": "Пульки (zaps)",
    "WHOOSHES": "Пролёты (whooshes)",
    "IMPACTS": "Удары (impacts)",
    "TRANSITIONS": "Переходы",
    "DANCE MUSIC": "Танцевальная музыка",
    "LINKS, LOGOS & STINGS": "Связки, логотипы и отбивки",
    "HOUSE": "Хаус",
    "TECHNO": "Техно",
    "BREAKBEAT": "Брейкбит",
    "DRAMA": "Драма",
    "SUSPENSE": "Напряжённое ожидание",
    "TENSION": "Напряжение",
    "SADNESS": "Грусть",
    "ACTION": "Экшн",
    "CHASE": "Погоня",
    "SPORTS": "Спорт",
    "CORPORATE": "Корпоративная",
    "PRESENTATION": "Презентация",
    "TECHNOLOGY": "Технологии",
    "SUCCESS": "Успех",
    "WORLD": "Мир",
    "LATIN AMERICA": "Латинская Америка",
    "ASIA": "Азия",
    "EUROPE": "Европа",
    "AFRICA": "Африка",
    "RUSSIA": "Россия",
    "CHILDREN": "Детское",
    "CARTOONS": "Мультфильмы",
    "LULLABIES": "Колыбельные",
    "COMEDY": "Комедия",
    "QUIRKY": "Чудаковатое",
    "CLASSICAL": "Классика",
    "PIANO": "Фортепиано",
    "STRINGS": "Струнные",
    "BAROQUE": "Барокко",
    "ORCHESTRAL": "Оркестровая",
    "EPIC": "Эпическое",
    "ADVENTURE": "Приключения",
    "ROCK": "Рок",
    "INDIE": "Инди",
    "GARAGE": "Гаражный рок",
    "METAL": "Метал",
    "POP": "Поп",
    "HAPPY": "Радостное",
    "ROMANTIC": "Романтика",
    "JAZZ": "Джаз",
    "SWING": "Свинг",
    "SMOOTH": "Смус-джаз",
    "LOUNGE": "Лаунж",
    "CHILL OUT": "Чилаут",
    "BOSSA NOVA": "Босса-нова",
    "HOLIDAYS": "Праздники",
    "NEW YEAR & CHRISTMAS": "Новый год и Рождество",
    "RETRO": "Ретро",
    "ROCK-N-ROLL": "Рок-н-ролл",
    "DISCO": "Диско",
    "ELECTRONICA": "Электроника",
    "AMBIENT": "Эмбиент",
    "FASHION": "Мода",
    "CATWALK": "Подиум",
    "NATURE": "Природа",
    "LANDSCAPES": "Пейзажи",
    "TRAILERS": "Трейлеры",
    "RADIO": "Радио",
    "IDENTS": "Позывные",
    "JINGLES": "Джинглы",
}

# Russian tags for the single keywords of the category lines. A keyword without a row is
# dropped by the loader; "SALE" is left out on purpose (the sale collection is no tag).
KEYWORD_RU = {
    "EFFECTS": "Эффекты",
    "DANCE": "Танцевальная",
    "LINKS": "Связки",
    "LOGOS": "Логотипы",
    "STINGS": "Отбивки",
    "CHILL": "Чилаут",
    "BOSSA": "Босса-нова",
    "NOVA": "Босса-нова",
    "LATIN": "Латино",
    "AMERICA": "Америка",
    "YEAR": "Новый год",
    "CHRISTMAS": "Рождество",
    "WORLD": "Мир",
    "HUMOR": "Юмор",
    "CHILDREN": "Детское",
    "CLASSICS": "Классика",
    "NEO-CLASSICS": "Неоклассика",
    "CLUB": "Клубная",
    "FASHION": "Мода",
    "NAUGHTY": "Дерзкая",
    "EMOTIONAL": "Эмоциональная",
    "POSITIVE": "Позитив",
    "ATTITUDE": "Настрой",
    "STORY": "История",
    "VINTAGE": "Винтаж",
    "STYLINGS": "Стилизации",
    "STYLISH": "Стильное",
    "BACKGROUND": "Фон",
    "ENERGY": "Энергия",
    "MOVING": "Движение",
    "FX": "Эффекты (FX)",
    "IMAGING": "Оформление",
    "ELEMENTS": "Элементы",
}
UNTRANSLATED_KEYWORDS = {"SALE"}

# Word characters of a category keyword: Latin letters, "-" and the Cyrillic letters.
_KEYWORD_CHARS = set("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-ЁёЎў"
                     + "".join(chr(c) for c in range(0x410, 0x450)))
# Texts the loader never turns into keywords (a containment test, commas included).
STOP_TEXT = (
    'ac,descriptionа,в,во,о,и,или,не,ни,х,у,я,йбы,да,ли,за,по,но,об,со,до,мы,вы,из,-х,-й,'
    '-е,-ка,-ми,-мя,-тисек,мин,тех,такой,также,тем,темы,кто,что,где,ваш,ваши,ваше,вашего,'
    'ваших,все,они,них,при,его,если,есть,ее,нам,вам,без,нас,нее,него,над,под,это,этувас,п'
    'ро,еще,для,как,нем,так,что,чем,нетчтобы,лишь,около,этом,этот,этогокаждый,каждая,кото'
    'рый,которую,которая,которых,которые,которым,которымиs-,i,ii,a,an,and,another,but,hu,'
    'doesn,are,is,by,be,been,as,non,of,iton,to,we,me,they,those,its,our,your,the,all,for,'
    "can,that,therethem,than,with,within,about,every,let's,before,descriptiontogether,you"
    ',also,so,soon,ll,into,cd,cds,disc,discs,even,didn,haveif,many,much,more,most,what,wh'
    'ich,from,yet,who,use,thisuntil,will,new,see,mid,kpm,scd,kol,kom,kos,bruton,kosinusli'
    'brary,around,video,30,60,tv,future,concert,drum,game,com,motion,opera,special,musici'
    'ans,quartet,quintet,featured,commercials,former,ussrinstruments,music,feel,film,gene'
    'ral,recommended,cds,hard,new,on,female,themes,stylestyles,scenes,cars,light,national'
    ',voice,well,known,textures,slide,roll,middle,home,idiom,section,belt,movies,played'
)


def category_keywords(line):
    """The keywords the loader takes from a category line, before the translation filter."""
    words, word = [], ""
    for ch in line + " ":
        if ch in _KEYWORD_CHARS:
            word += ch
            continue
        if len(word) >= 2 and word.lower() not in STOP_TEXT:
            words.append(word)
        word = ""
    return words


def translation_rows(categories):
    """TRANSLATECATS rows for the derived segments, the search areas, every segment of the
    given category paths and every keyword of them that should become a tag."""
    rows = dict(DERIVED_TRANSLATIONS)
    rows.update(SEARCH_AREAS)
    segments, keywords = set(), set()
    for path in categories:
        segments.update(path.split(" >> "))
        keywords.update(category_keywords(path))
    for seg in sorted(segments):
        if seg not in rows:
            if seg not in SEGMENT_RU:
                raise SystemExit("no translation for category segment %r" % seg)
            rows[seg] = SEGMENT_RU[seg]
    for word in sorted(keywords - UNTRANSLATED_KEYWORDS):
        if word not in rows:
            ru = KEYWORD_RU.get(word) or SEGMENT_RU.get(word)
            if ru is None:
                raise SystemExit("no translation for keyword %r" % word)
            rows[word] = ru
    derived = [name for name, _ in DERIVED_TRANSLATIONS]
    areas = [name for name, _ in SEARCH_AREAS]
    rest = sorted(name for name in rows if name not in derived and name not in areas)
    return ["%s=%s" % (name, rows[name]) for name in derived + areas + rest]


# --- Writing resources -------------------------------------------------------------------

END_MARK = "\u00ae"


def write_resource(path, lines):
    """Writes lines as a catalogue resource: code page 1251, CR LF, closed by the end mark."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    data = "".join(line + "\r\n" for line in lines) + END_MARK + "\r\n"
    with open(path, "wb") as f:
        f.write(data.encode("cp1251"))


def descriptor(mood, tempo_flag="", aggressive=False, background=False, imaging=False,
               styles=(), epoch="", bpm=None, key="", open_bracket=False):
    """A descriptor in the stored order: mood, flags, styles, epoch, [BPM], <key>.
    open_bracket writes the tempo without its closing bracket, as some stored rows have it."""
    parts = [str(mood)]
    if tempo_flag:
        parts.append(tempo_flag)
    if aggressive:
        parts.append("!H")
    if background:
        parts.append("!B")
    if imaging:
        parts.append("!I")
    if styles:
        parts.append(", ".join(styles))
    if epoch:
        parts.append(epoch)
    if bpm is not None:
        parts.append(("[%d" if open_bracket else "[%d]") % bpm)
    if key:
        parts.append("<%s>" % key)
    return " ".join(parts)


def nfo_lines(cd_code, title, description, composers, categories, month, year):
    """The lines of a CD information block (without the end mark)."""
    lines = ["Library: KMLB", "Title: " + title, "CD#: " + cd_code,
             "Description: " + description, "Composers:"]
    lines += composers
    lines.append("Categories:")
    lines += categories
    lines += ["-", "%02d%04d" % (month, year)]
    if not 9 <= len(lines) <= 49:
        raise SystemExit("%s: information block of %d lines" % (cd_code, len(lines)))
    return lines


def similar_vector(numbers, marks, length):
    """A SIMILARCD vector of the given length marking the given CD numbers."""
    vec = ["-"] * length
    for n, mark in zip(numbers, marks):
        vec[n - 1] = mark
    return "".join(vec)


def format_duration(seconds):
    return "%02d:%02d" % (seconds // 60, seconds % 60)


def isrc(year, cd_number, track_number, serial):
    """The stored ISRC: the older form carries CD and track number, the newer a serial."""
    if year < 2019:
        return "RU-A47-%02d-%03d-%03d" % (year % 100, cd_number, track_number)
    return "RU-A47-%02d-%05d" % (year % 100, serial)


# --- Placeholder audio ---------------------------------------------------------------------

def _wav_bytes():
    samples = b"\x80" * 80  # 10 ms of 8-bit silence at 8 kHz
    fmt = struct.pack("<HHIIHH", 1, 1, 8000, 8000, 1, 8)
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + \
        struct.pack("<I", len(samples)) + samples
    return b"RIFF" + struct.pack("<I", len(body)) + body


WAV_BYTES = _wav_bytes()
# One silent MPEG-1 Layer III frame, 128 kbit/s, 44.1 kHz, mono.
MP3_BYTES = b"\xff\xfb\x90\xc4" + b"\x00" * 413

_FORBIDDEN_IN_FILE_NAMES = set('\\/:*?<>|"')


def sanitise_file_name(text):
    return "".join(ch for ch in text if ch not in _FORBIDDEN_IN_FILE_NAMES)


def write_audio(home, track_code, title, ext):
    folder = os.path.join(home, "audio", track_code[:8])
    os.makedirs(folder, exist_ok=True)
    name = "%s %s.%s" % (track_code, sanitise_file_name(title), ext)
    with open(os.path.join(folder, name), "wb") as f:
        f.write(WAV_BYTES if ext == "wav" else MP3_BYTES)


# --- Full-size catalogue -------------------------------------------------------------------

# Per search area: the style palette of its music and the genre categories it is filed under.
AREA_PROFILES = {
    "CORPORATE MUSIC": (["CORPORATE", "POP", "ACOUSTIC", "ELECTRONICA", "AMBIENT"],
                        ["CORPORATE >> PRESENTATION", "CORPORATE >> TECHNOLOGY",
                         "CORPORATE >> SUCCESS", "POP >> HAPPY"]),
    "AROUND THE WORLD": (["ETHNO", "FOLK", "LATINA", "TANGO", "PERCUSSION", "ACOUSTIC"],
                         ["WORLD >> LATIN AMERICA", "WORLD >> ASIA", "WORLD >> EUROPE",
                          "WORLD >> AFRICA", "WORLD >> RUSSIA"]),
    "HUMOR, COMEDY, CHILDREN": (["COMEDY", "POP", "MARCH", "FOLK", "ACOUSTIC", "WALTZ"],
                                ["CHILDREN >> CARTOONS", "CHILDREN >> LULLABIES",
                                 "COMEDY >> QUIRKY"]),
    "CLASSICS / NEO-CLASSICS": (["CLASSICAL", "ORCHESTRAL", "WALTZ", "CINEMATIC", "MARCH"],
                                ["CLASSICAL >> PIANO", "CLASSICAL >> STRINGS",
                                 "CLASSICAL >> BAROQUE"]),
    "CLUB / ELECTRONICA": (["DANCE", "ELECTRONICA", "BREAKBEAT", "REMIX", "DISCO", "R-N-B"],
                           ["DANCE MUSIC >> HOUSE", "DANCE MUSIC >> TECHNO",
                            "DANCE MUSIC >> BREAKBEAT", "ELECTRONICA >> AMBIENT"]),
    "FASHION TEXTURE": (["ELECTRONICA", "LOUNGE", "POP", "FUNK", "R-N-B"],
                        ["FASHION >> CATWALK", "LOUNGE >> CHILL OUT"]),
    "FILM MUSIC": (["CINEMATIC", "ORCHESTRAL", "AMBIENT", "PERCUSSION"],
                   ["DRAMA >> SUSPENSE", "DRAMA >> TENSION", "DRAMA >> SADNESS",
                    "TRAILERS >> EPIC", "ORCHESTRAL >> ADVENTURE", "NATURE >> LANDSCAPES"]),
    "NAUGHTY / EMOTIONAL": (["ROCK", "PPRCK", "R-N-R", "FUNK", "REMIX"],
                            ["ROCK >> INDIE", "ROCK >> GARAGE", "ROCK >> METAL"]),
    "POSITIVE ATTITUDE": (["POP", "ACOUSTIC", "FOLK", "CORPORATE", "FUNK"],
                          ["POP >> HAPPY", "POP >> ROMANTIC"]),
    "CHRISTMAS STORY": (["NEW YEAR", "ORCHESTRAL", "WALTZ", "POP", "JAZZ"],
                        ["HOLIDAYS >> NEW YEAR & CHRISTMAS"]),
    "VINTAGE STYLINGS": (["JAZZ", "R-N-R", "DISCO", "CHANSON", "TANGO", "FUNK"],
                         ["JAZZ >> SWING", "RETRO >> ROCK-N-ROLL", "RETRO >> DISCO"]),
    "STYLISH BACKGROUND": (["LOUNGE", "JAZZ", "AMBIENT", "ACOUSTIC", "LATINA"],
                           ["LOUNGE >> CHILL OUT", "LOUNGE >> BOSSA NOVA", "JAZZ >> SMOOTH"]),
    "ENERGY / MOVING": (["ROCK", "ELECTRONICA", "PERCUSSION", "BREAKBEAT", "DANCE"],
                        ["ACTION >> SPORTS", "ACTION >> CHASE"]),
    "FX / JINGLES": (["ELECTRONICA", "POP", "CINEMATIC"],
                     ["EFFECTS - (MUSIC & EFFECTS) >> SWEEPS",
                      "EFFECTS - (MUSIC & EFFECTS) >> ZAPS",
                      "EFFECTS - (MUSIC & EFFECTS) >> WHOOSHES",
                      "EFFECTS - (MUSIC & EFFECTS) >> IMPACTS",
                      "EFFECTS - (MUSIC & EFFECTS) >> TRANSITIONS"]),
    "IMAGING ELEMENTS": (["POP", "DANCE", "ROCK", "ELECTRONICA"],
                         ["DANCE MUSIC >> LINKS, LOGOS & STINGS", "RADIO >> IDENTS",
                          "RADIO >> JINGLES"]),
}
AREA_DESCRIPTIONS = {
    "CORPORATE MUSIC": "Музыка для презентаций, деловых роликов и корпоративного видео.",
    "AROUND THE WORLD": "Этническая музыка и мелодии разных стран.",
    "HUMOR, COMEDY, CHILDREN": "Весёлая музыка для детских программ, мультфильмов и юмора.",
    "CLASSICS / NEO-CLASSICS": "Классика и неоклассика в современных аранжировках.",
    "CLUB / ELECTRONICA": "Клубная электроника: хаус, техно, брейкбит.",
    "FASHION TEXTURE": "Модные фактуры для показов, рекламы одежды и стиля.",
    "FILM MUSIC": "Кинематографичная музыка: напряжение, драма, эпос.",
    "NAUGHTY / EMOTIONAL": "Дерзкий рок и эмоциональные гитары.",
    "POSITIVE ATTITUDE": "Светлая, позитивная музыка на каждый день.",
    "CHRISTMAS STORY": "Новогодняя и рождественская музыка.",
    "VINTAGE STYLINGS": "Стилизации под ретро: свинг, рок-н-ролл, диско.",
    "STYLISH BACKGROUND": "Стильный фон: лаунж, джаз, босса-нова.",
    "ENERGY / MOVING": "Энергичная музыка для спорта и экшн-сцен.",
    "FX / JINGLES": "Звуковые эффекты, переходы и заставки.",
    "IMAGING ELEMENTS": "Позывные, отбивки и подложки для оформления эфира.",
}

RU_ADJ_M = ["Ночной", "Летний", "Зимний", "Городской", "Последний", "Новый", "Тихий",
            "Солнечный", "Звёздный", "Морской", "Северный", "Весенний", "Осенний", "Быстрый",
            "Старый", "Золотой", "Лунный", "Горячий", "Дикий", "Вечерний"]
RU_NOUN_M = ["город", "ветер", "путь", "берег", "рассвет", "закат", "огонь", "дождь", "сон",
             "полёт", "танец", "вальс", "марш", "мотив", "драйв", "бульвар", "экспресс",
             "горизонт", "туман", "ритм"]
RU_ADJ_F = ["Ночная", "Летняя", "Зимняя", "Городская", "Последняя", "Новая", "Тихая",
            "Солнечная", "Звёздная", "Морская", "Северная", "Весенняя", "Осенняя", "Быстрая",
            "Старая", "Золотая", "Лунная", "Горячая", "Дикая", "Вечерняя"]
RU_NOUN_F = ["история", "дорога", "погоня", "мечта", "волна", "сказка", "встреча", "прогулка",
             "гроза", "тайна", "улица", "весна", "метель", "звезда", "река", "тень",
             "пристань", "мелодия", "игра", "песня"]
EN_ADJ = ["Midnight", "Golden", "Electric", "Silent", "Broken", "Endless", "Urban", "Happy",
          "Dark", "Bright", "Wild", "Lonely", "Crystal", "Velvet", "Rapid", "Lazy", "Cosmic",
          "Funky", "Northern", "Sweet"]
EN_NOUN = ["Dreams", "City", "Road", "Sky", "Heart", "River", "Lights", "Groove", "Journey",
           "Horizon", "Rain", "Fire", "Motion", "Shadows", "Waves", "Garden", "Express", "Story",
           "Pulse", "Memories"]
SFX_WORDS = ["Свип вверх", "Свип вниз", "Пулька", "Удар", "Whoosh", "Riser", "Glitch", "Щелчок",
             "Сигнал", "Переход", "Взрыв", "Шум толпы", "Аплодисменты", "Стук", "Impact",
             "Reverse", "Zap", "Laser", "Вспышка", "Гонг"]

MALE_FIRST = ["Андрей", "Игорь", "Дмитрий", "Павел", "Олег", "Сергей", "Антон", "Виктор",
              "Кирилл", "Роман", "Михаил", "Алексей", "Евгений", "Николай", "Глеб", "Юрий"]
FEMALE_FIRST = ["Мария", "Ольга", "Елена", "Наталья", "Юлия", "Анна", "Ирина", "Светлана",
                "Татьяна", "Вера"]
SURNAME_STEMS = ["Волков", "Лазарев", "Соколов", "Рыбин", "Ланской", "Кондратьев", "Орлов",
                 "Белов", "Зорин", "Ветров", "Ершов", "Миронов", "Светлов", "Гранин", "Снегирёв",
                 "Поляков", "Тихонов", "Зимин", "Карпов", "Лебедев", "Осипов", "Фомин", "Щукин",
                 "Яковлев", "Абрамов", "Гусев", "Дроздов", "Жуков", "Исаев", "Комаров",
                 "Левшин", "Марков", "Назаров", "Панин", "Русаков", "Савин", "Титов", "Уваров",
                 "Хромов", "Чернов", "Шубин", "Юдин", "Громов", "Беляев", "Ковалёв", "Самойлов"]
EN_PERSONS = ["Alex Morgan", "Tom Ridley", "Sara Lind", "Mark Elston", "Jan Kowal", "Nick Hale",
              "Laura Finch", "Dave Porter"]
PSEUDONYMS = ["DJ Frost", "Mr. Groove", "Astra Project", "Nordwind", "Polar Pilots",
              "Ivory Keys", "Red Velvet Lab", "Sunny Drive"]
PERFORMER_GROUPS = ["Оркестр «Северная звезда»", "Ансамбль «Полдень»", "Trio Aurora",
                    "KMLB Studio Band", "Квартет «Альт»", "The Late Shift", "Хор «Радуга»",
                    "Big Band «Метро»"]


def _female(stem):
    return stem[:-2] + "ая" if stem.endswith("ой") else stem + "а"


def make_people(rng):
    """Persons (full names with their short forms) and the author-name table rows."""
    persons = []
    for i, stem in enumerate(SURNAME_STEMS):
        if i % 4 == 3:
            first, surname = rng.choice(FEMALE_FIRST), _female(stem)
        else:
            first, surname = rng.choice(MALE_FIRST), stem
        persons.append(("%s %s" % (first, surname), "%s. %s" % (first[0], surname)))
    writers = ["ВНИМАНИЕ! Строки таблицы применяются по порядку, одна за другой: "
               "не сортировать и не переставлять!"]
    # Short forms of about thirty composers.
    for full, short in persons[:30]:
        writers.append("%s=%s" % (short, full))
    # Pseudonyms, each standing for one or two persons.
    for i, alias in enumerate(PSEUDONYMS):
        who = [persons[30 + (2 * i) % 16][0]]
        if i % 2 == 0:
            who.append(persons[30 + (2 * i + 1) % 16][0])
        writers.append("%s=%s" % (alias, ", ".join(who)))
    # Studio names that chain: the first row's result is the next row's short form.
    chains = [("SoundLab", "Zvukolab Studio"), ("Studio 7", "Седьмая студия"),
              ("AirWave", "Студия «Эфирная волна»"), ("Pixel Tones", "Команда «Пиксель»")]
    for i, (alias, middle) in enumerate(chains):
        writers.append("%s=%s" % (alias, middle))
        writers.append("%s=%s, %s" % (middle, persons[40 + i][0], persons[(41 + i) % 46][0]))
    authors = [short for _, short in persons[:30]] + [full for full, _ in persons[30:]] + \
        PSEUDONYMS + [alias for alias, _ in chains] + EN_PERSONS
    return authors, writers


def track_title(rng):
    r = rng.random()
    if r < 0.28:
        title = "%s %s" % (rng.choice(RU_ADJ_M), rng.choice(RU_NOUN_M))
    elif r < 0.55:
        title = "%s %s" % (rng.choice(RU_ADJ_F), rng.choice(RU_NOUN_F))
    elif r < 0.62:
        title = "%s «%s»" % (rng.choice(["Тема", "Мотив", "Эскиз", "Вальс", "Пьеса"]),
                            rng.choice(RU_NOUN_F + RU_NOUN_M).capitalize())
    else:
        title = "%s %s" % (rng.choice(EN_ADJ), rng.choice(EN_NOUN))
    r = rng.random()
    if r < 0.04:
        title += " № %d" % rng.randint(2, 5)
    elif r < 0.07:
        title += "…"
    elif r < 0.10:
        title += " (Remix)"
    return title


def cd_title(rng):
    r = rng.random()
    if r < 0.45:
        title = "%s %s" % (rng.choice(RU_ADJ_F), rng.choice(RU_NOUN_F))
    elif r < 0.7:
        title = "%s %s" % (rng.choice(RU_ADJ_M), rng.choice(RU_NOUN_M))
    else:
        title = "%s %s" % (rng.choice(EN_ADJ), rng.choice(EN_NOUN))
    if rng.random() < 0.15:
        title += " Vol. %d" % rng.randint(2, 6)
    return title


def track_counts(rng, cds):
    """Tracks per CD, 12 to 40, adjusted so that the default 999 CDs hold 21,800 tracks."""
    counts = [int(round(rng.triangular(12, 40, 15))) for _ in range(cds)]
    target = round(21800 * cds / 999)
    while sum(counts) != target:
        i = rng.randrange(cds)
        if sum(counts) < target and counts[i] < 40:
            counts[i] += 1
        elif sum(counts) > target and counts[i] > 12:
            counts[i] -= 1
    return counts


def music_descriptor(rng, palette, imaging_area):
    mood = rng.choices("012345", weights=[4, 10, 15, 33, 27, 11])[0]
    tempo_flag = rng.choices(["", "!F", "!M", "!S"], weights=[20, 28, 32, 20])[0]
    if tempo_flag == "!F":
        bpm = rng.choice([rng.randint(120, 190), rng.randint(70, 90)])
    elif tempo_flag == "!S":
        bpm = rng.choice([rng.randint(60, 95), rng.randint(140, 180)])
    else:
        bpm = rng.randint(85, 135)
    styles = rng.sample(palette, rng.choices([1, 2, 3], weights=[45, 40, 15])[0])
    if rng.random() < 0.05:
        extra = rng.choice(STYLES)
        if extra not in styles:
            styles.append(extra)
    styles.sort(key=STYLES.index)
    epoch = rng.choice(EPOCHS) if rng.random() < 0.1 else ""
    r = rng.random()
    return descriptor(mood, tempo_flag, rng.random() < 0.14, rng.random() < 0.2,
                      rng.random() < (0.7 if imaging_area else 0.06), styles, epoch,
                      None if r < 0.04 else bpm,
                      "" if rng.random() < 0.06 else rng.choice(CAMELOT_KEYS),
                      open_bracket=0.04 <= r < 0.045)


def sfx_descriptor(rng):
    return rng.choice(["3", "3 !I", "3 !I", "0 !I", "3 !I [120] <7B>", "4 !F !I", "1 !H !I",
                       "2 !S", "5 !F !H !I", "3 !B !I"])


def generate(out, seed, cds, shuffle, audio_home, audio_cds):
    rng = random.Random(seed)
    authors, writers = make_people(rng)
    performers = PERFORMER_GROUPS + EN_PERSONS
    area_names = [name for name, _ in SEARCH_AREAS]
    counts = track_counts(rng, cds)
    tracks_rows, xls_rows, similar_rows, all_categories = [], [], [], set()
    cd_areas = {}
    serial = 1000
    total = 0
    for n in range(1, cds + 1):
        code = "KMLB_%03d" % n
        title = cd_title(rng)
        months = (n - 1) * 264 // cds  # January 2005 to December 2026, in CD order
        year, month = 2005 + months // 12, months % 12 + 1
        areas = rng.sample(area_names, 2 if rng.random() < 0.3 else 1)
        cd_areas[n] = areas
        palette = sorted(set(s for a in areas for s in AREA_PROFILES[a][0]), key=STYLES.index)
        genre_pool = sorted(set(c for a in areas for c in AREA_PROFILES[a][1]))
        genres = rng.sample(genre_pool, min(len(genre_pool), rng.randint(1, 3)))
        categories = ["%s >> %s" % (ALL_LIBRARY, a) for a in areas] + genres
        if rng.random() < 0.03:
            categories.append(SALE_CATEGORY)
        categories = categories[:5]
        all_categories.update(categories)
        sfx_share = 0.65 if "FX / JINGLES" in areas else 0.25 if "IMAGING ELEMENTS" in areas \
            else 0.015
        short_tracks = "FX / JINGLES" in areas or "IMAGING ELEMENTS" in areas
        cd_authors = rng.sample(authors, rng.randint(1, 4))
        cd_performers = rng.sample(performers, rng.randint(1, 2))
        xls_rows.append("%s=%s %s" % (code, code, title))
        composers_used = []
        prev_title = prev_credits = None
        for t in range(1, counts[n - 1] + 1):
            tcode = "%s_%03d" % (code, t)
            cut = 0
            if rng.random() < sfx_share:
                ttitle = "%s - %02d" % (rng.choice(SFX_WORDS), t)
                seconds = rng.randint(1, 12)
                desc = sfx_descriptor(rng)
            elif prev_title and rng.random() < 0.12:
                # A shortened version of the previous track, with the same credits.
                cut = rng.choice([30, 60])
                ttitle = "%s (%d сек.)" % (prev_title, cut)
                seconds = cut
                desc = music_descriptor(rng, palette, short_tracks)
            else:
                ttitle = track_title(rng)
                seconds = rng.randint(5, 40) if short_tracks and rng.random() < 0.6 \
                    else rng.randint(60, 330)
                desc = music_descriptor(rng, palette, short_tracks)
                prev_title = ttitle
            if cut:
                names, performer = prev_credits
            else:
                names = rng.sample(cd_authors, 2 if len(cd_authors) > 1 and rng.random() < 0.25
                                   else 1)
                r = rng.random()
                if r < 0.05:
                    names.append(rng.choice(authors) + " (обр.)")
                elif r < 0.07:
                    names.append(rng.choice(authors) + " (пер.)")
                performer = rng.choice(cd_performers) if rng.random() < 0.8 else names[0]
                if ttitle == prev_title:
                    prev_credits = (names, performer)
            composer = ", ".join(names)
            for name in names:
                if name not in composers_used:
                    composers_used.append(name)
            serial += 1
            code_isrc = "" if rng.random() < 0.01 else isrc(year, n, t, serial)
            xls_rows.append("%s=%s\t%s\t%s\t%s\t%s" % (tcode, ttitle, code_isrc,
                                                    format_duration(seconds), composer,
                                                    performer))
            tracks_rows.append("%s=%s" % (tcode, desc))
            if audio_home and n <= audio_cds:
                write_audio(audio_home, tcode, ttitle, "wav" if t % 2 else "mp3")
                if t % 7 == 0:
                    write_audio(audio_home, tcode, ttitle, "wav")
            total += 1
        description = AREA_DESCRIPTIONS[areas[0]]
        write_resource(os.path.join(out, "NFO", code + ".nfo"),
                       nfo_lines(code, title, description, composers_used[:8], categories,
                                 month, year))

    # Similar CDs: mostly CDs sharing an area, for about 85% of the CDs.
    by_area = {a: [n for n in range(1, cds + 1) if a in cd_areas[n]] for a in area_names}
    for n in range(1, cds + 1):
        if rng.random() >= 0.85:
            continue
        pool = [m for a in cd_areas[n] for m in by_area[a] if m != n]
        if not pool:
            continue
        similar = sorted(set(rng.sample(pool, min(len(pool), rng.randint(2, 6)))))
        length = min(cds, similar[-1] + rng.randint(0, 12))
        marks = [rng.choice("123") for _ in similar]
        similar_rows.append("kmlb_%03d=%s" % (n, similar_vector(similar, marks, length)))

    if shuffle:
        rng.shuffle(tracks_rows)
    text = os.path.join(out, "TEXT")
    write_resource(os.path.join(text, "KMLB_TRACKS.txt"), tracks_rows)
    write_resource(os.path.join(text, "KMLB_XLS.txt"), xls_rows)
    write_resource(os.path.join(text, "TRANSLATECATS.txt"), translation_rows(all_categories))
    write_resource(os.path.join(text, "SIMILARCD.txt"), similar_rows)
    write_resource(os.path.join(text, "WRITERSINFO.txt"), writers)
    return total


def main(argv=None):
    parser = argparse.ArgumentParser(description="Writes a deterministic KMLB catalogue.")
    parser.add_argument("--out", required=True, help="output folder (TEXT/ and NFO/ inside)")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--cds", type=int, default=999, help="number of CDs, 1 to 999")
    parser.add_argument("--shuffle", action="store_true",
                        help="write the descriptor rows in shuffled order")
    parser.add_argument("--audio-home", help="program folder to receive placeholder audio files")
    parser.add_argument("--audio-cds", type=int, default=0,
                        help="with --audio-home: write audio files for the first N CDs")
    parser.add_argument("--audio-all", action="store_true",
                        help="with --audio-home: write an audio file for every track")
    args = parser.parse_args(argv)
    if not 1 <= args.cds <= 999:
        parser.error("--cds must be 1 to 999")
    if (args.audio_cds or args.audio_all) and not args.audio_home:
        parser.error("--audio-cds and --audio-all need --audio-home")
    audio_cds = args.cds if args.audio_all else args.audio_cds
    total = generate(args.out, args.seed, args.cds, args.shuffle, args.audio_home, audio_cds)
    print("cds=%d tracks=%d out=%s" % (args.cds, total, args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
