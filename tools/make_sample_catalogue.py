#!/usr/bin/env python3
"""Writes the hand-made sample catalogue that is compiled into the program (resources/).

    python3 tools/make_sample_catalogue.py [--out resources]

Seventeen CDs, one or more under each search area, with every mood, flag, style, epoch
and key of the descriptor vocabulary. The CD list below is the editable part; descriptors
are drawn from each CD's palette with a fixed seed, so the output never changes unless the
list does. The resource writers and vocabularies come from gen_catalogue.py.
"""
import argparse
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen_catalogue as g  # noqa: E402

AREA = {en: "%s >> %s" % (g.ALL_LIBRARY, en) for en, _ in g.SEARCH_AREAS}

WRITERS = [
    "ВНИМАНИЕ! Замены выполняются сверху вниз, результат строки идёт в следующую. "
    "Строки не сортировать!",
    "А. Волков=Андрей Волков",
    "М. Светлова=Мария Светлова",
    "И. Лазарев=Игорь Лазарев",
    "Д. Соколов=Дмитрий Соколов",
    "Н. Орлова=Наталья Орлова",
    "В. Зорин=Виктор Зорин",
    "Ю. Снегирёва=Юлия Снегирёва",
    "Р. Ершов=Роман Ершов",
    "Е. Гранд=Елена Гранд",
    "DJ Frost=Кирилл Ветров",
    "SoundLab=Zvukolab Studio",
    "Zvukolab Studio=Олег Ланской, Павел Рыбин",
    "Trio Aurora=Елена Гранд, Антон Белый, Сергей Кондратьев",
    "П. И. Чайковский=Пётр Ильич Чайковский",
    "И. С. Бах=Иоганн Себастьян Бах",
    "В. А. Моцарт=Вольфганг Амадей Моцарт",
    "Ф. Шопен=Фредерик Шопен",
    "И. Штраус=Иоганн Штраус (сын)",
]

# Each CD: number, title, description, categories, (month, year), composers and performers
# of its tracks, track titles, and the palette its descriptors are drawn from:
# moods, tempo flags, chances of !H / !B / !I, styles, epochs, BPM range, durations (s).
CDS = [
    dict(number=3, title="Промо эффекты",
         description="Свипы, пульки, пролёты и удары для промо-роликов и заставок.",
         categories=[AREA["FX / JINGLES"], "EFFECTS - (MUSIC & EFFECTS) >> SWEEPS",
                     "EFFECTS - (MUSIC & EFFECTS) >> ZAPS",
                     "EFFECTS - (MUSIC & EFFECTS) >> WHOOSHES"],
         date=(12, 2007), composers=["SoundLab", "Р. Ершов"], performers=["SoundLab"],
         sfx=True, durations=(1, 9),
         titles=["Аплодисменты - 01", "Свип вверх", "Свип вниз", "Пулька короткая",
                 "Пулька двойная", "Whoosh Fast", "Whoosh Deep", "Удар с хвостом",
                 "Переход «Космос»", "Лазерный выстрел", "Reverse Cymbal", "Riser 4 сек.",
                 "Glitch Stutter", "Сигнал № 1", "Сигнал № 2"],
         descriptors=["0 !I", "3 !I", "3 !I", "3", "4 !F !I", "1 !H !I", "3 !I [120] <7B>",
                      "2 !S !I", "3 !I", "5 !F !H !I", "3 !B !I", "3 !I [140] <5A>", "0",
                      "3", "3 !I"]),
    dict(number=5, title="Корпоративный стиль",
         description="Уверенная современная музыка для презентаций и деловых роликов.",
         categories=[AREA["CORPORATE MUSIC"], "CORPORATE >> PRESENTATION",
                     "CORPORATE >> SUCCESS", g.SALE_CATEGORY],
         date=(3, 2008), composers=["А. Волков", "И. Лазарев", "А. Волков, И. Лазарев"],
         performers=["KMLB Studio Band", "Андрей Волков"],
         moods="344", tempo="MM F", flags=(0, 0.4, 0.1),
         styles=["CORPORATE", "POP", "ACOUSTIC", "ELECTRONICA"], bpm=(92, 128),
         titles=["Новые горизонты", "Команда мечты", "Вектор роста", "Рабочий день",
                 "Шаг вперёд", "Business Flow", "Clear Vision", "Партнёрство",
                 "Уверенный старт", "Open Space", "Презентация", "Digital Future"]),
    dict(number=12, title="Вокруг света. Латинская Америка",
         description="Самба, танго, мамбо и босса-нова: музыка Латинской Америки.",
         categories=[AREA["AROUND THE WORLD"], "WORLD >> LATIN AMERICA", g.SALE_CATEGORY],
         date=(9, 2008), composers=["Д. Соколов", "Е. Гранд", "Д. Соколов, Е. Гранд"],
         performers=["Ансамбль «Полдень»", "Trio Aurora"],
         moods="3445", tempo="FFM", flags=(0.05, 0.1, 0),
         styles=["LATINA", "ETHNO", "FOLK", "TANGO", "PERCUSSION", "ACOUSTIC"],
         bpm=(96, 150),
         titles=["Карнавал в Рио", "Буэнос-Айрес ночью", "Sol y Mar", "Самба на пляже",
                 "Гаучо", "Fiesta", "Аргентинское танго", "Кубинский ром", "Пляска Анд",
                 "Mambo Caliente", "Босса на закате", "Марьячи"]),
    dict(number=27, title="Детский праздник",
         description="Весёлые мелодии для детских программ, мультфильмов и розыгрышей.",
         categories=[AREA["HUMOR, COMEDY, CHILDREN"], "CHILDREN >> CARTOONS",
                     "COMEDY >> QUIRKY"],
         date=(5, 2009), composers=["Н. Орлова", "В. Зорин", "Н. Орлова, Е. Гранд (пер.)"],
         performers=["Хор «Радуга»", "KMLB Studio Band"],
         moods="5545", tempo="FFM", flags=(0, 0.1, 0),
         styles=["COMEDY", "POP", "MARCH", "ACOUSTIC", "FOLK"], bpm=(100, 160),
         titles=["Весёлые пузыри", "Клоун Бим", "Прятки", "Мультяшная погоня", "Карусель",
                 "Oops!", "Тётушка Сова", "Паровозик", "Funny Feet", "Колыбельная для мишки",
                 "Марш игрушек", "День рождения"],
         overrides={10: "2 !S !B ACOUSTIC, FOLK [66] <11B>"}),
    dict(number=48, title="Неоклассика. Фортепиано и струнные",
         description="Камерная классика и неоклассика в новых аранжировках.",
         categories=[AREA["CLASSICS / NEO-CLASSICS"], "CLASSICAL >> PIANO",
                     "CLASSICAL >> STRINGS"],
         date=(11, 2010),
         composers=["П. И. Чайковский, М. Светлова (обр.)", "И. С. Бах, А. Волков (обр.)",
                    "М. Светлова", "Ф. Шопен, М. Светлова (обр.)",
                    "В. А. Моцарт, И. Лазарев (обр.)"],
         performers=["Мария Светлова (фортепиано)", "Оркестр «Северная звезда»"],
         moods="2233", tempo="SSM", flags=(0, 0.3, 0),
         styles=["CLASSICAL", "ORCHESTRAL", "CINEMATIC", "WALTZ"], bpm=(60, 110),
         titles=["Осенний этюд", "Вальс-фантазия", "Сонатина ре минор", "Ноктюрн",
                 "Прелюдия «Дождь»", "Пьеса для струнных № 3", "Lost Letters", "Элегия",
                 "Menuet", "Весенний вальс", "Интермеццо", "Отражения"],
         overrides={5: "2 !S CLASSICAL, CINEMATIC <7B>"}),
    dict(number=76, title="Ночной клуб",
         description="Хаус, брейкбит и ремиксы для клубных и молодёжных проектов.",
         categories=[AREA["CLUB / ELECTRONICA"], "DANCE MUSIC >> HOUSE",
                     "DANCE MUSIC >> BREAKBEAT"],
         date=(6, 2011), composers=["DJ Frost", "DJ Frost, Р. Ершов", "Р. Ершов"],
         performers=["DJ Frost"],
         moods="34452", tempo="FFM", flags=(0.35, 0.1, 0.05),
         styles=["DANCE", "ELECTRONICA", "BREAKBEAT", "REMIX", "DISCO", "R-N-B"],
         bpm=(118, 140),
         titles=["Night Drive", "Неон", "Bassline Theory", "Танцпол", "Afterparty", "Подземка",
                 "Pulse 128", "Рассвет над городом", "Deep Inside", "Стробоскоп",
                 "Underground (Club Mix)", "Electric Sky", "Ритм мегаполиса",
                 "Breakbeat Express"],
         overrides={14: "2 !F !H BREAKBEAT !I [140] <5A>"}),
    dict(number=104, title="Fashion Week",
         description="Модные фактуры для показов, рекламы одежды и косметики.",
         categories=[AREA["FASHION TEXTURE"], "FASHION >> CATWALK"],
         date=(2, 2013), composers=["Ю. Снегирёва", "Ю. Снегирёва, DJ Frost"],
         performers=["The Late Shift", "Юлия Снегирёва"],
         moods="3443", tempo="MMF", flags=(0.05, 0.4, 0),
         styles=["ELECTRONICA", "POP", "LOUNGE", "FUNK", "R-N-B"], bpm=(96, 124),
         titles=["Catwalk", "Глянец", "Vogue Line", "Шёлк", "Подиум", "Style Icon", "Бархат",
                 "Runway Lights", "Кутюр", "Minimal Chic"]),
    dict(number=153, title="Кинотрейлер",
         description="Напряжение, погони и эпические финалы для кино и трейлеров.",
         categories=[AREA["FILM MUSIC"], "DRAMA >> SUSPENSE", "TRAILERS >> EPIC"],
         date=(10, 2014), composers=["И. Лазарев", "А. Волков, И. Лазарев", "Zvukolab Studio"],
         performers=["Оркестр «Северная звезда»"],
         moods="11223", tempo="SSMF", flags=(0.3, 0.3, 0),
         styles=["CINEMATIC", "ORCHESTRAL", "AMBIENT", "PERCUSSION"], bpm=(62, 150),
         titles=["Погоня в тумане", "Последний рубеж", "Тень", "Rise of Heroes", "Ожидание",
                 "Dark Corridor", "Гроза над морем", "Финальная битва", "Тайна старого дома",
                 "Countdown", "Пробуждение", "Epic Horizon", "Страх"],
         overrides={5: "1 !S !B AMBIENT, CINEMATIC", 13: "1"}),
    dict(number=186, title="Дерзкие гитары",
         description="Гаражный рок, панк и рок-н-ролл с характером.",
         categories=[AREA["NAUGHTY / EMOTIONAL"], "ROCK >> GARAGE", "ROCK >> INDIE"],
         date=(4, 2015), composers=["В. Зорин", "В. Зорин, Р. Ершов"],
         performers=["The Late Shift"],
         moods="12445", tempo="FFM", flags=(0.6, 0, 0), epochs=["", "", "80-90s"],
         styles=["ROCK", "PPRCK", "R-N-R", "FUNK"], bpm=(128, 186),
         titles=["Бунтарь", "Gasoline", "На пределе", "Broken Strings", "Гараж",
                 "Без тормозов", "Wild Heart", "Крик", "Дорога в никуда", "Riot Girl",
                 "Электричка", "Последний аккорд"],
         overrides={12: "2"}),
    dict(number=240, title="Солнечное утро",
         description="Светлая и лёгкая музыка для рекламы, утренних эфиров и путешествий.",
         categories=[AREA["POSITIVE ATTITUDE"], "POP >> HAPPY"],
         date=(8, 2016), composers=["Н. Орлова", "А. Волков", "Н. Орлова, А. Волков"],
         performers=["KMLB Studio Band", "Наталья Орлова"],
         moods="4455", tempo="MF", flags=(0, 0.2, 0),
         styles=["POP", "ACOUSTIC", "FOLK", "CORPORATE"], bpm=(98, 132),
         titles=["Солнечное утро", "Good Morning", "Улыбка", "Лёгкий ветер",
                 "Walking on Air", "Летний день", "Happy Days", "Радуга", "На велосипеде",
                 "Sunny Side", "Праздник каждый день"]),
    dict(number=265, title="Новогодняя сказка",
         description="Волшебная музыка для новогодних и рождественских программ.",
         categories=[AREA["CHRISTMAS STORY"], "HOLIDAYS >> NEW YEAR & CHRISTMAS"],
         date=(11, 2017),
         composers=["Е. Гранд", "И. Штраус, Е. Гранд (обр.)", "Trio Aurora"],
         performers=["Оркестр «Северная звезда»", "Trio Aurora", "Хор «Радуга»"],
         moods="4453", tempo="MSF", flags=(0, 0.2, 0),
         styles=["NEW YEAR", "ORCHESTRAL", "WALTZ", "POP", "JAZZ"], bpm=(72, 140),
         titles=["Снежинки", "Jingle Time", "Зимняя сказка", "Дед Мороз спешит", "Ёлочка",
                 "Silent Snow", "Новогодний вальс", "Волшебная ночь", "Christmas Swing",
                 "Бой курантов", "Санки", "Морозные узоры"],
         overrides={12: "3 !S NEW YEAR, ORCHESTRAL <7B>"}),
    dict(number=312, title="Ретро-вечеринка",
         description="Твист, свинг, диско и городской романс: музыка прошлых десятилетий.",
         categories=[AREA["VINTAGE STYLINGS"], "JAZZ >> SWING", "RETRO >> ROCK-N-ROLL",
                     "RETRO >> DISCO"],
         date=(3, 2019), composers=["Д. Соколов", "В. Зорин", "Д. Соколов, Н. Орлова (пер.)"],
         performers=["Big Band «Метро»", "Ансамбль «Полдень»"],
         moods="4452", tempo="FM", flags=(0, 0.1, 0), epochs=["RETRO", "60-70s", "80-90s"],
         styles=["JAZZ", "R-N-R", "DISCO", "CHANSON", "TANGO", "FUNK"], bpm=(90, 176),
         titles=["Твист до утра", "Стиляги", "Boogie Night", "Танцы на веранде", "Пластинка",
                 "Swing Street", "Ресторан «Прага»", "Диско-80", "Городской романс",
                 "Old Radio", "Джаз-банд", "Vinyl Love"]),
    dict(number=437, title="Лаунж-кафе",
         description="Мягкий лаунж, джаз и босса-нова для фона и интерьерных съёмок.",
         categories=[AREA["STYLISH BACKGROUND"], "LOUNGE >> CHILL OUT",
                     "LOUNGE >> BOSSA NOVA"],
         date=(7, 2021), composers=["М. Светлова", "Ю. Снегирёва", "М. Светлова, Д. Соколов"],
         performers=["Trio Aurora", "Мария Светлова (фортепиано)"],
         moods="3342", tempo="SSM", flags=(0, 0.8, 0),
         styles=["LOUNGE", "JAZZ", "AMBIENT", "ACOUSTIC", "LATINA"], bpm=(68, 112),
         titles=["Кофе с корицей", "Terrace", "Вечерний бульвар", "Smooth Talk", "Мягкий свет",
                 "Bossa Cafe", "Сумерки", "Deep Blue", "Тёплый вечер", "Lazy Sunday", "Шёпот"]),
    dict(number=518, title="Драйв",
         description="Энергичный рок и электроника для спорта, гонок и экшн-сцен.",
         categories=[AREA["ENERGY / MOVING"], "ACTION >> SPORTS", "ACTION >> CHASE"],
         date=(5, 2023), composers=["Р. Ершов", "DJ Frost", "Р. Ершов, В. Зорин"],
         performers=["The Late Shift", "DJ Frost"],
         moods="4455", tempo="FFFM", flags=(0.5, 0, 0),
         styles=["ROCK", "ELECTRONICA", "PERCUSSION", "BREAKBEAT", "DANCE", "REMIX"],
         bpm=(128, 178),
         titles=["Драйв", "Adrenaline", "Старт", "Speed Limit", "Финишная прямая",
                 "Full Throttle", "Экстрим", "Power Up", "Рывок", "Турбо", "Go Go Go",
                 "Максимум"],
         overrides={9: "5 !F !H PPRCK [87] <4B>"}),
    dict(number=601, title="Эфирное оформление",
         description="Позывные, отбивки, логотипы и подложки для радио и телеэфира.",
         categories=[AREA["IMAGING ELEMENTS"], "DANCE MUSIC >> LINKS, LOGOS & STINGS",
                     "RADIO >> IDENTS", "RADIO >> JINGLES"],
         date=(9, 2025), composers=["SoundLab", "SoundLab, А. Волков"],
         performers=["SoundLab"],
         moods="445", tempo="FM", flags=(0.1, 0, 1.0), durations=(4, 30),
         styles=["POP", "DANCE", "ROCK", "ELECTRONICA", "CORPORATE"], bpm=(100, 150),
         titles=["Позывной «Утро»", "Station ID 1", "Station ID 2", "Отбивка «Новости»",
                 "Лого короткое", "Лого длинное", "Sting Bright", "Переход к рекламе",
                 "Bumper Pop", "Прогноз погоды", "Заставка «Спорт»", "Sweeper Dance",
                 "Подложка под голос"],
         overrides={8: "3 !I", 13: "3 !S !B !I AMBIENT [76] <10A>"}),
    dict(number=702, title="Танго и вальсы",
         description="Танго, вальсы и милонги в камерном и оркестровом звучании.",
         categories=[AREA["AROUND THE WORLD"], AREA["CLASSICS / NEO-CLASSICS"],
                     "WORLD >> EUROPE"],
         date=(11, 2026),
         composers=["Е. Гранд", "И. Штраус, М. Светлова (обр.)", "Д. Соколов, Е. Гранд"],
         performers=["Оркестр «Северная звезда»", "Trio Aurora"],
         moods="2234", tempo="MS", flags=(0, 0.1, 0), epochs=["", "RETRO"],
         styles=["TANGO", "WALTZ", "CLASSICAL", "LATINA", "ORCHESTRAL"], bpm=(84, 132),
         titles=["Танго под дождём", "Вальс «Осенний сон»", "Tango Noir", "Венский вечер",
                 "Последнее танго", "Валенсия", "Waltz for Anna", "Бандонеон", "Кружение",
                 "Милонга", "Прощальный вальс"]),
    dict(number=815, title="Зимние огни",
         description="Тёплая зимняя музыка: праздничный поп, джаз и акустика.",
         categories=[AREA["CHRISTMAS STORY"], AREA["POSITIVE ATTITUDE"],
                     "HOLIDAYS >> NEW YEAR & CHRISTMAS", "POP >> ROMANTIC"],
         date=(12, 2026), composers=["Ю. Снегирёва", "Н. Орлова", "Trio Aurora"],
         performers=["Trio Aurora", "Юлия Снегирёва"],
         moods="4435", tempo="MSF", flags=(0, 0.3, 0),
         styles=["NEW YEAR", "POP", "ACOUSTIC", "JAZZ", "LOUNGE"], bpm=(70, 126),
         titles=["Зимние огни", "Snowfall", "Глинтвейн", "Каток", "Warm Lights", "Под ёлкой",
                 "Новый год в пути", "Christmas Eve", "Вьюга", "Хрустальный звон",
                 "Home for the Holidays"]),
]

SIMILAR = {
    3: {601: "1"},
    5: {104: "2", 240: "1"},
    12: {312: "3", 702: "1"},
    27: {240: "2"},
    48: {153: "3", 702: "1"},
    76: {104: "2", 518: "1"},
    104: {5: "2", 76: "3", 437: "1"},
    153: {48: "2", 186: "3"},
    186: {76: "2", 518: "1"},
    240: {5: "3", 27: "2", 815: "1"},
    265: {815: "1"},
    312: {437: "2", 702: "1"},
    437: {104: "1", 312: "2"},
    518: {76: "1", 186: "2"},
    601: {3: "1"},
    702: {12: "1", 48: "2", 312: "3"},
    815: {240: "2", 265: "1"},
}
EMPTY_ISRC = {(12, 7), (186, 11), (518, 4)}


def build(out):
    rng = random.Random(2026)
    keys = list(g.CAMELOT_KEYS)
    rng.shuffle(keys)
    key_turn = 0
    serial = 9040
    xls, tracks, similar = [], [], []
    all_categories = set()
    for cd in CDS:
        n = cd["number"]
        code = "KMLB_%03d" % n
        month, year = cd["date"]
        xls.append("%s=%s %s" % (code, code, cd["title"]))
        composers_used = []
        for t, title in enumerate(cd["titles"], 1):
            tcode = "%s_%03d" % (code, t)
            if cd.get("sfx"):
                desc = cd["descriptors"][t - 1]
            elif t in cd.get("overrides", {}):
                desc = cd["overrides"][t]
            else:
                palette = cd["styles"]
                styles = [palette[(t - 1) % len(palette)]]
                if rng.random() < 0.45:
                    extra = rng.choice(palette)
                    if extra not in styles:
                        styles.append(extra)
                styles.sort(key=g.STYLES.index)
                tempo = rng.choice(cd["tempo"]).strip()
                lo, hi = cd["bpm"]
                span = hi - lo
                if tempo == "F":
                    lo = lo + span // 2
                elif tempo == "S":
                    hi = lo + span // 3
                elif tempo == "M":
                    lo, hi = lo + span // 4, hi - span // 4
                h, b, i = cd["flags"]
                key = keys[key_turn % len(keys)]
                key_turn += 1
                desc = g.descriptor(rng.choice(cd["moods"]), "!" + tempo if tempo else "",
                                    rng.random() < h, rng.random() < b, rng.random() < i,
                                    styles, rng.choice(cd.get("epochs", [""])),
                                    None if rng.random() < 0.06 else rng.randint(lo, hi), key)
            lo, hi = cd.get("durations", (95, 330))
            seconds = rng.randint(lo, hi)
            composer = cd["composers"][(t - 1 + rng.randrange(2)) % len(cd["composers"])]
            for name in composer.split(", "):
                if name not in composers_used:
                    composers_used.append(name)
            performer = rng.choice(cd["performers"])
            serial += 1
            number = "" if (n, t) in EMPTY_ISRC else g.isrc(year, n, t, serial)
            xls.append("%s=%s\t%s\t%s\t%s\t%s" % (tcode, title, number,
                                                g.format_duration(seconds), composer,
                                                performer))
            tracks.append("%s=%s" % (tcode, desc))
        all_categories.update(cd["categories"])
        g.write_resource(os.path.join(out, "NFO", code + ".nfo"),
                         g.nfo_lines(code, cd["title"], cd["description"], composers_used,
                                     cd["categories"], month, year))
    for n, marks in sorted(SIMILAR.items()):
        numbers = sorted(marks)
        length = numbers[-1] + (n % 7)  # vectors end at different lengths
        similar.append("kmlb_%03d=%s" % (n, g.similar_vector(numbers, [marks[m] for m in numbers],
                                                            length)))
    text = os.path.join(out, "TEXT")
    g.write_resource(os.path.join(text, "KMLB_TRACKS.txt"), tracks)
    g.write_resource(os.path.join(text, "KMLB_XLS.txt"), xls)
    g.write_resource(os.path.join(text, "TRANSLATECATS.txt"), g.translation_rows(all_categories))
    g.write_resource(os.path.join(text, "SIMILARCD.txt"), similar)
    g.write_resource(os.path.join(text, "WRITERSINFO.txt"), WRITERS)
    check(tracks)
    return len(CDS), len(tracks)


def check(tracks):
    """The sample is the demo of every search criterion: make sure nothing is missing."""
    tags = [row[13:] for row in tracks]
    wanted = g.STYLES + g.EPOCHS + ["<%s>" % k for k in g.CAMELOT_KEYS] + \
        ["!F", "!M", "!S", "!H", "!B", "!I"]
    missing = [w for w in wanted if not any(w in tag for tag in tags)]
    missing += ["mood " + d for d in "012345" if not any(tag[0] == d for tag in tags)]
    if not any("[" not in tag for tag in tags):
        missing.append("a track without tempo")
    if missing:
        raise SystemExit("sample catalogue lacks: " + ", ".join(missing))


def main():
    parser = argparse.ArgumentParser(description="Writes the sample catalogue resources.")
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    parser.add_argument("--out", default=os.path.normpath(default))
    args = parser.parse_args()
    cds, total = build(args.out)
    print("cds=%d tracks=%d out=%s" % (cds, total, args.out))


if __name__ == "__main__":
    main()
