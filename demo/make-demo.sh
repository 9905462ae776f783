#!/usr/bin/env bash
# Writes the demo program directory (key files and teacher list) and the demo
# statistics data base below the folder of this script:
#
#   program/   key files *.SSD (Windows-1252) and LEHRER.CSV (CP850)
#   db/        the data base: Dienststellen 13001 (complete), 13002 (quick
#              report and school report only) and 00000 (empty)
#
# Everything below is written here as UTF-8 and converted on the way out:
# key files to Windows-1252, data files to CP850 (the German DOS code page).
# Every line ends with CR LF. Running the script again rebuilds both folders.
#
# The demo data are invented. A few records are odd on purpose, so that the
# program's messages and completion buttons can be seen at work (see the
# comments at the tables concerned).

set -euo pipefail
export LC_ALL=C.UTF-8

here=$(cd "$(dirname "$0")" && pwd)
prog=$here/program
db=$here/db

# The settings file ZREINST.DAT of the demo program directory is not made here: keep it.
find "$prog" -mindepth 1 ! -name ZREINST.DAT ! -name VORINEXMVBS.HLP -delete 2>/dev/null || true
rm -rf "$db"
mkdir -p "$prog" "$db"

die() {
    printf 'make-demo.sh: %s\n' "$*" >&2
    exit 1
}

# ---------------------------------------------------------------------------
# Writers
# ---------------------------------------------------------------------------

# Rejects characters that no field may hold (TAB, double quote).
check_chars() {
    local file=$1 text=$2
    case $text in
    *$'\t'* | *'"'*) die "$file: TAB or double quote in: $text" ;;
    esac
}

# keyfile NAME: stdin holds "code;text" lines (UTF-8); writes program/NAME in
# Windows-1252 with CR LF.
keyfile() {
    local name=$1 content line
    content=$(cat)
    while IFS= read -r line; do
        check_chars "$name" "$line"
        [[ $line == *';'*';'* || $line != *';'* ]] && die "$name: not code;text: $line"
    done <<<"$content"
    printf '%s\n' "$content" | sed 's/$/\r/' | iconv -f UTF-8 -t WINDOWS-1252 >"$prog/$name"
}

# oemfile PATH: stdin (UTF-8) to PATH in CP850 with CR LF.
oemfile() {
    local path=$1
    mkdir -p "$(dirname "$path")"
    sed 's/$/\r/' | iconv -f UTF-8 -t CP850 >"$path"
}

# idline N: the capture-column ids ES001;...;ESnnn.
idline() {
    local n=$1 k
    for ((k = 1; k <= n; k++)); do
        if ((k > 1)); then printf ';'; fi
        printf 'ES%03d' "$k"
    done
    printf '\n'
}

# table PATH N: stdin holds the records of a table with N fields; writes the
# id line and the records. Every record must have exactly N fields; an empty
# line is let through (it stands for a damaged record).
table() {
    local path=$1 n=$2 content line fields
    content=$(cat)
    if [[ -n $content ]]; then
        while IFS= read -r line; do
            check_chars "$path" "$line"
            [[ -z $line ]] && continue
            fields=$(($(tr -cd ';' <<<"$line" | wc -c) + 1))
            ((fields == n)) || die "$path: $fields fields instead of $n: $line"
        done <<<"$content"
        { idline "$n"; printf '%s\n' "$content"; } | oemfile "$path"
    else
        idline "$n" | oemfile "$path"
    fi
}

# join FIELD...: the fields separated by semicolons.
join() {
    local IFS=';'
    printf '%s\n' "$*"
}

# dash_empty WORD...: each word, "-" turned into an empty field.
dash_empty() {
    local w out=()
    for w in "$@"; do
        [[ $w == - ]] && w=''
        out+=("$w")
    done
    join "${out[@]}"
}

# sum WORD...: the sum of the words, "-" and empty counted as 0.
sum() {
    local w total=0
    for w in "$@"; do
        [[ $w == - || -z $w ]] && continue
        total=$((total + w))
    done
    printf '%d' "$total"
}

# ---------------------------------------------------------------------------
# Key files of the program directory
# ---------------------------------------------------------------------------

# School types, educational courses and time forms (quick report table 1,
# school table 1).
keyfile SSSA.SSD <<'EOF'
01;Berufsschule - Fachklassen duale Ausbildung/Teilzeit
02;Berufsschule - Fachklassen duale Ausbildung/Blockunterricht
03;Berufsschule - Klassen für Jugendliche ohne Ausbildungsvertrag
04;Berufsvorbereitungsjahr/Vollzeit
05;Berufsvorbereitungsjahr - kooperative Form
06;Berufsvorbereitende Bildungsmaßnahme/Teilzeit
07;Berufsgrundbildungsjahr/Vollzeit
08;Berufsfachschule - Assistentenberufe/Vollzeit
09;Berufsfachschule - Sozialassistenz/Vollzeit
10;Berufsfachschule - Gesundheitsfachberufe/Vollzeit
11;Berufsfachschule/Teilzeit
12;Höhere Berufsfachschule/Vollzeit
13;Fachoberschule 1-jährig/Vollzeit
14;Fachoberschule 2-jährig/Vollzeit
15;Fachoberschule/Teilzeit
16;Fachgymnasium - Wirtschaft
17;Fachgymnasium - Technik
18;Fachgymnasium - Gesundheit und Soziales
19;Fachschule - Technik/Vollzeit
20;Fachschule - Technik/Teilzeit
21;Fachschule - Wirtschaft/Vollzeit
22;Fachschule - Wirtschaft/Teilzeit
23;Fachschule - Sozialwesen/Vollzeit
24;Fachschule - Sozialwesen/Teilzeit
25;Fachschule - Agrarwirtschaft/Vollzeit
26;Berufsoberschule/Vollzeit
EOF

# School types for the teachers' weekly hours (teacher table 2).
keyfile SSSA-140.SSD <<'EOF'
0110;Berufsschule - Fachklassen duale Ausbildung/Teilzeit
0120;Berufsschule - Fachklassen duale Ausbildung/Blockunterricht
0130;Berufsschule - Klassen für Jugendliche ohne Ausbildungsvertrag
0210;Berufsvorbereitungsjahr/Vollzeit
0220;Berufsvorbereitungsjahr - kooperative Form
0310;Berufsvorbereitende Bildungsmaßnahmen/Teilzeit
0510;Berufsfachschule - Assistentenberufe/Vollzeit
0520;Berufsfachschule - Sozialassistenz/Vollzeit
0530;Berufsfachschule - Gesundheitsfachberufe/Vollzeit
0610;Berufsfachschule/Teilzeit
0710;Fachoberschule 1-jährig/Vollzeit
0720;Fachoberschule 2-jährig/Vollzeit
0730;Fachoberschule/Teilzeit
0910;Fachgymnasium - Wirtschaft
0920;Fachgymnasium - Technik
0930;Fachgymnasium - Gesundheit und Soziales
1010;Fachschule - Technik/Vollzeit
1020;Fachschule - Wirtschaft/Vollzeit
1030;Fachschule - Sozialwesen/Vollzeit
1040;Fachschule - Agrarwirtschaft/Vollzeit
1110;Fachschule - Technik/Teilzeit
1120;Fachschule - Wirtschaft/Teilzeit
1130;Fachschule - Sozialwesen/Teilzeit
1210;Unterricht an allgemein bildenden Schulen
EOF

# Employment scopes (quick report table 2: at most 5 rows take data).
keyfile ILKLWS.SSD <<'EOF'
1;vollbeschäftigte Lehrkräfte
2;teilbeschäftigte Lehrkräfte (mindestens halbe Stelle)
3;teilbeschäftigte Lehrkräfte (unter halber Stelle)
4;stundenweise beschäftigte Lehrkräfte
5;Lehrkräfte in Altersteilzeit
EOF

# Employment scopes (teacher table 3: at most 4 rows take data).
keyfile ILKLWS-4.SSD <<'EOF'
1;vollbeschäftigt
2;teilbeschäftigt
3;stundenweise beschäftigt
4;in Altersteilzeit
EOF

# Occupational fields.
keyfile SBBG1.SSD <<'EOF'
01;Wirtschaft und Verwaltung
02;Metalltechnik
03;Elektrotechnik
04;Bautechnik
05;Holztechnik
06;Textiltechnik und Bekleidung
07;Chemie, Physik und Biologie
08;Drucktechnik und Mediengestaltung
09;Farbtechnik und Raumgestaltung
10;Gesundheit und Pflege
11;Körperpflege
12;Ernährung und Hauswirtschaft
13;Agrarwirtschaft
14;Sozialpädagogik und Sozialwesen
15;Fahrzeugtechnik
16;Informationstechnik
EOF

# Occupation groups.
keyfile SBBG2.SSD <<'EOF'
111;Berufe in der Landwirtschaft
112;Berufe in der Tierwirtschaft
113;Berufe in der Pferdewirtschaft
117;Berufe in der Forstwirtschaft
121;Berufe im Gartenbau
242;Berufe in der Metallbearbeitung
251;Berufe in der Maschinenbau- und Betriebstechnik
252;Berufe in der Fahrzeugtechnik
262;Berufe in der Energietechnik
263;Berufe in der Elektrotechnik
293;Köche und Köchinnen
321;Berufe im Hochbau
332;Berufe in der Holzbe- und -verarbeitung
342;Berufe in der Sanitär-, Heizungs- und Klimatechnik
431;Berufe in der Informatik
513;Berufe in der Lagerwirtschaft und Logistik
621;Berufe im Verkauf
632;Berufe im Hotelgewerbe
633;Berufe in der Gastronomie
714;Büro- und Sekretariatsberufe
721;Berufe im Bank- und Versicherungswesen
811;Berufe in der Arzt- und Praxishilfe
821;Berufe in der Altenpflege
823;Berufe in der Körperpflege
831;Berufe in der Erziehung und Sozialarbeit
EOF

# Occupations requiring formal training.
keyfile SBBG3.SSD <<'EOF'
1111;Landwirt/-in
1121;Tierwirt/-in
1131;Pferdewirt/-in
1171;Forstwirt/-in
1211;Gärtner/-in
2421;Zerspanungsmechaniker/-in
2511;Industriemechaniker/-in
2521;Kraftfahrzeugmechatroniker/-in
2522;Land- und Baumaschinenmechatroniker/-in
2621;Elektroniker/-in für Energie- und Gebäudetechnik
2631;Elektroniker/-in für Betriebstechnik
2931;Koch/Köchin
3211;Maurer/-in
3321;Tischler/-in
3421;Anlagenmechaniker/-in für Sanitär-, Heizungs- und Klimatechnik
4311;Fachinformatiker/-in
5131;Fachkraft für Lagerlogistik
6211;Verkäufer/-in
6212;Kaufmann/-frau im Einzelhandel
6321;Hotelfachmann/-frau
6331;Fachkraft im Gastgewerbe
7141;Kaufmann/-frau für Büromanagement
7211;Bankkaufmann/-frau
8111;Medizinische/-r Fachangestellte/-r
8231;Friseur/-in
EOF

# Occupations with their specialisations (1121 also in SBBG3, other text).
keyfile SBBG4.SSD <<'EOF'
1121;Tierwirt/-in (alle Schwerpunkte)
11211;Tierwirt/-in - Schwerpunkt Rinderhaltung
11212;Tierwirt/-in - Schwerpunkt Schweinehaltung
11213;Tierwirt/-in - Schwerpunkt Geflügelhaltung
11311;Pferdewirt/-in - Schwerpunkt Pferdehaltung und Service
12111;Gärtner/-in - Garten- und Landschaftsbau
12112;Gärtner/-in - Zierpflanzenbau
12113;Gärtner/-in - Gemüsebau
26311;Elektroniker/-in für Betriebstechnik - Automatisierung
43111;Fachinformatiker/-in - Anwendungsentwicklung
43112;Fachinformatiker/-in - Systemintegration
43113;Fachinformatiker/-in - Daten- und Prozessanalyse
EOF

# Courses of the Berufsfachschule (2631 also in SBBG3, other text).
keyfile SBBG5.SSD <<'EOF'
2631;Technische/-r Assistent/-in für Elektronik
4341;Technische/-r Assistent/-in für Informatik
8171;Physiotherapeut/-in
8172;Ergotherapeut/-in
8173;Logopäde/Logopädin
8211;Altenpfleger/-in
8221;Pflegefachmann/-frau
8241;Diätassistent/-in
8251;Pharmazeutisch-technische/-r Assistent/-in
8311;Sozialassistent/-in
8331;Heilerziehungspfleger/-in
9221;Kaufmännische/-r Assistent/-in - Fremdsprachen
9222;Kaufmännische/-r Assistent/-in - Informationsverarbeitung
EOF

# Specialisations of the Fachschule (several codes also in SBBG3 or SBBG5,
# with other texts).
keyfile SBBG6.SSD <<'EOF'
1111;Agrarwirtschaft
1211;Garten- und Landschaftsbau
2511;Maschinentechnik
2521;Kraftfahrzeugtechnik
2621;Elektrotechnik
3211;Bautechnik
4311;Informatik
6321;Hotel- und Gaststättengewerbe
7131;Betriebswirtschaft
7132;Logistik
8311;Sozialpädagogik
8312;Heilpädagogik
8331;Heilerziehungspflege
EOF

# Specialisations of the Fachoberschule and the Fachgymnasium (7131 also in
# SBBG6, other text).
keyfile SBBG7.SSD <<'EOF'
901;Fachoberschule - Wirtschaft und Verwaltung
902;Fachoberschule - Technik
903;Fachoberschule - Gesundheit und Soziales
904;Fachoberschule - Gestaltung
905;Fachoberschule - Agrarwirtschaft
911;Fachgymnasium - Wirtschaft
912;Fachgymnasium - Technik
913;Fachgymnasium - Gesundheit und Soziales
914;Fachgymnasium - Agrarwirtschaft
915;Fachgymnasium - Ernährung
7131;Betriebswirtschaft (Fachschule Wirtschaft)
EOF

# Districts of origin.
keyfile SHKK.SSD <<'EOF'
003;Hansestadt Rostock
004;Landeshauptstadt Schwerin
071;Mecklenburgische Seenplatte
072;Landkreis Rostock
073;Vorpommern-Rügen
074;Nordwestmecklenburg
075;Vorpommern-Greifswald
076;Ludwigslust-Parchim
901;Schleswig-Holstein
902;Hamburg
903;Niedersachsen
911;Berlin
912;Brandenburg
913;Sachsen-Anhalt
919;übrige Länder der Bundesrepublik
990;Ausland
EOF

# Countries.
keyfile SLAND.SSD <<'EOF'
000;Deutschland
101;Dänemark
102;Frankreich
103;Griechenland
104;Italien
105;Kroatien
106;Lettland
107;Litauen
108;Niederlande
109;Österreich
110;Polen
111;Portugal
112;Rumänien
113;Schweden
114;Spanien
115;Tschechien
116;Ungarn
117;Bulgarien
131;Kosovo
132;Moldau
133;Russische Föderation
134;Serbien
135;Türkei
136;Ukraine
137;Weißrussland
221;Eritrea
222;Somalia
341;Vereinigte Staaten
421;Afghanistan
422;Irak
423;Iran
424;Syrien
431;Vietnam
432;China
999;staatenlos oder ungeklärt
EOF

# Prior schooling (class table 2: at most 11 rows take data).
keyfile SSVB.SSD <<'EOF'
01;ohne Berufsreife
02;mit Berufsreife
03;mit erweiterter Berufsreife
04;mit Mittlerer Reife
05;mit Fachhochschulreife
06;mit allgemeiner Hochschulreife
07;mit abgeschlossener Berufsausbildung
08;mit im Ausland erworbenem Abschluss
09;sonstige Vorbildung
EOF

# Prior schooling per occupation group (class table 9).
keyfile SSVB0.SSD <<'EOF'
1;ohne Berufsreife
2;Berufsreife
3;Mittlere Reife
4;Fachhochschulreife
5;Hochschulreife
6;sonstige Vorbildung
9;zusammen
EOF

# Foreign languages, religion, sport (class table 4: at most 14 rows).
keyfile SSFSR.SSD <<'EOF'
11;Englisch
12;Französisch
13;Russisch
14;Spanisch
15;Polnisch
16;Schwedisch
19;sonstige Fremdsprache
21;Evangelische Religion
22;Katholische Religion
23;Philosophie
31;Sport
32;Sport - Schwimmunterricht
EOF

# Training status (class table 5: at most 6 rows).
keyfile SSAS.SSD <<'EOF'
1;mit Ausbildungsvertrag
2;mit Umschulungsvertrag
3;ohne Ausbildungsvertrag (berufsschulpflichtig)
4;in berufsvorbereitender Maßnahme
5;in vollzeitschulischer Ausbildung
EOF

# Agriculture, animal husbandry and forestry (class table 6: at most 10 rows).
keyfile SSLTF.SSD <<'EOF'
01;Landwirt/-in
02;Tierwirt/-in - Rinderhaltung
03;Tierwirt/-in - Schweinehaltung
04;Tierwirt/-in - Geflügelhaltung
05;Pferdewirt/-in
06;Fischwirt/-in
07;Forstwirt/-in
08;Gärtner/-in
09;Fachkraft Agrarservice
EOF

# Weekly lesson hours actually given (class table 7: at most 12 rows).
keyfile SSUS.SSD <<'EOF'
01;unter 4 Stunden
02;4 bis unter 6 Stunden
03;6 bis unter 8 Stunden
04;8 bis unter 10 Stunden
05;10 bis unter 12 Stunden
06;12 bis unter 14 Stunden
07;14 bis unter 16 Stunden
08;16 bis unter 20 Stunden
09;20 bis unter 25 Stunden
10;25 bis unter 30 Stunden
11;30 Stunden und mehr
EOF

# Teacher list of the program directory (teacher table 1 takes its rows
# from it). No id line.
oemfile "$prog/LEHRER.CSV" <<'EOF'
101;Schröder;Jürgen
102;Möller;Anke
103;Krüger;Dörte
104;Baumgärtner;Sören
105;Weiß;Katrin
106;Hübner;Björn
107;Jäger;Sabine
108;Özdemir;Ümit
EOF

# ---------------------------------------------------------------------------
# Record builders
# ---------------------------------------------------------------------------

# Classes and pupils by school type, shared by quick report table 1 and
# school table 1. Arguments: code, classes of grades 1-5, pupils of grades
# 1-5 (five words each, "-" for a grade that does not exist), female,
# foreign, foreign female, disabled, teacher weekly hours target, extra
# division hours.
quick1() {
    local code=$1 k s w=$4 a=$5 beh=$7 lws=$8 teil=$9
    read -ra k <<<"$2"
    read -ra s <<<"$3"
    join "$code" "$(sum "${k[@]}")" "$(dash_empty "${k[@]}")" \
        "$(dash_empty "${s[@]}")" "$(sum "${s[@]}")" "$w" "$a" "$beh" "$lws" "$teil"
}
school1() {
    local code=$1 k s w=$4 a=$5 aw=$6
    read -ra k <<<"$2"
    read -ra s <<<"$3"
    join "$code" "$(sum "${k[@]}")" "$(dash_empty "${k[@]}")" \
        "$(sum "${s[@]}")" "$(dash_empty "${s[@]}")" "$w" "$a" "$aw"
}

# Graduates and leavers (school table 2). Arguments: school type, year of
# birth, then pairs "total/female" for: leaving certificate, final
# certificate, Berufsreife, Mittlere Reife, Fachhochschulreife,
# Hochschulreife, without certificate type. The totals are the sum of
# leaving, final and no certificate.
school2() {
    local code=$1 year=$2 out=() p t=0 f=0 i=0
    shift 2
    for p in "$@"; do
        out+=("${p%/*}" "${p#*/}")
        if ((i == 0 || i == 1 || i == 6)); then
            t=$((t + ${p%/*}))
            f=$((f + ${p#*/}))
        fi
        i=$((i + 1))
    done
    join "$code" "$year" "$t" "$f" "${out[@]}"
}

# Graduates and leavers by occupation (school table 3). Arguments: text,
# code, duration in months, pairs "total/female" for final certificate,
# leaving certificate, without certificate type.
school3() {
    local text=$1 code=$2 months=$3 out=() p
    shift 3
    for p in "$@"; do out+=("${p%/*}" "${p#*/}"); done
    join "$text" "$code" "$months" "${out[@]}"
}

# One teacher of teacher table 1 (59 fields).
# Arguments: number, year of birth, sex, nationality, teaching
# qualification, professional qualification, subjects (five words, "-" for
# none), employment scope, change of stock, group of persons, standard
# load, contract hours, increase by sabbatical, by working-time account, by
# partial retirement, reduction hours as "type=hours ...", hours at other
# schools as "type=hours ...", overtime.
# Target hours = contract hours + increases; hours to teach = target hours
# minus reductions; hours at this school = hours to teach minus hours at
# other schools.
reduction_types=(10 21 22 31 32 33 41 42 43 47 49 50 51 52 53 54 55 81 82 91 92 93 94 95)
other_types=(01 02 03 05 06 07a 07b 09 10 11 12)
teacher1() {
    local num=$1 birth=$2 sex=$3 nat=$4 la=$5 fq=$6 subj umf=$8 zuab=$9
    read -ra subj <<<"$7"
    local pg=${10} regel=${11} vertr=${12} sabb=${13} azk=${14} atz=${15}
    local reds=${16} oths=${17} over=${18}
    local -A red=() oth=()
    local kv t soll red_sum=0 oth_sum=0 red_out=() oth_out=()
    for kv in $reds; do red[${kv%=*}]=${kv#*=}; done
    for kv in $oths; do oth[${kv%=*}]=${kv#*=}; done
    for t in "${reduction_types[@]}"; do
        red_out+=("${red[$t]:-}")
        red_sum=$((red_sum + ${red[$t]:-0}))
    done
    for t in "${other_types[@]}"; do
        oth_out+=("${oth[$t]:-}")
        oth_sum=$((oth_sum + ${oth[$t]:-0}))
    done
    soll=$((vertr + ${sabb:-0} + ${azk:-0} + ${atz:-0}))
    local total=$((soll - red_sum))
    join "$num" "$birth" "$sex" "$nat" "$la" "$fq" "$(dash_empty "${subj[@]}")" \
        "$umf" "$zuab" "$pg" "$regel" "$vertr" "$soll" "$sabb" "$azk" "$atz" \
        "${red_out[@]}" "$total" "$((total - oth_sum))" "$oth_sum" "${oth_out[@]}" "$over"
}

# Weekly lesson hours by school type (teacher table 2). Arguments: code,
# target, by timetable, then pairs "together/female" for full-time staff,
# part-time staff, extra work of staff, extra work of hourly-paid staff.
# Lessons given in total = the sum of the four "together" values.
teacher2() {
    local code=$1 soll=$2 plan=$3 out=() p total=0
    shift 3
    for p in "$@"; do
        out+=("${p%/*}" "${p#*/}")
        total=$((total + ${p%/*}))
    done
    join "$code" "$soll" "$plan" "$total" "${out[@]}"
}

# ---------------------------------------------------------------------------
# Dienststelle 13001: complete
# ---------------------------------------------------------------------------

S=13001
sd=$db/$S

# Quick report table 0: the Dienststelle number is given.
table "$sd/SCHNELL/${S}00.CSV" 3 <<EOF
$S;Staatliches Schulamt Greifswald;Landkreis Vorpommern-Rügen
EOF

# code | classes JGS 1-5 | pupils JGS 1-5 | female foreign foreign-female disabled LWS division-hours
types_13001() {
    "$1" 01 "8 7 6 2 -" "176 158 131 38 -" 201 19 7 6 392 12
    "$1" 02 "3 3 2 - -" "61 55 40 - -" 31 5 1 1 210 6
    "$1" 03 "1 - - - -" "14 - - - -" 4 3 1 2 12 0
    "$1" 04 "2 - - - -" "27 - - - -" 9 6 2 5 64 8
    "$1" 09 "2 2 - - -" "41 37 - - -" 63 5 4 0 128 4
    "$1" 10 "1 1 1 - -" "22 19 17 - -" 49 4 3 0 96 2
    "$1" 13 "1 - - - -" "24 - - - -" 11 1 0 0 34 0
    "$1" 14 "1 1 - - -" "18 16 - - -" 17 1 0 1 64 2
    "$1" 16 "1 1 1 - -" "23 21 19 - -" 36 2 1 0 102 6
    "$1" 22 "1 1 - - -" "19 17 - - -" 22 0 0 0 36 0
    "$1" 23 "2 2 1 - -" "44 40 35 - -" 98 3 2 1 150 10
}

# Quick report table 1. Odd on purpose: code 27 is not in SSSA.SSD, and one
# record has no code at all (both are reported when the report option is on).
{
    types_13001 quick1
    quick1 27 "1 - - - -" "12 - - - -" 5 0 0 0 18 0
    quick1 '' "1 - - - -" "9 - - - -" 3 1 0 0 12 0
} | table "$sd/SCHNELL/${S}01.CSV" 18

# Quick report table 2: teachers by employment scope.
table "$sd/SCHNELL/${S}02.CSV" 6 <<'EOF'
1;38;24;1;961;12
2;9;8;0;171;0
3;3;2;0;31;0
4;4;1;0;22;0
5;2;1;0;26;0
EOF

# School table 0: the Dienststelle number is left at 00000, so the program
# shows the number of its settings there.
table "$sd/SCHULE/${S}00.CSV" 3 <<'EOF'
00000;Staatliches Schulamt Greifswald;Landkreis Vorpommern-Rügen
EOF

# School table 1: the same school types as the quick report.
types_13001 school1 | table "$sd/SCHULE/${S}01.CSV" 16

# School table 2: graduates and leavers, deliberately not sorted.
# pairs: leaving, final, Berufsreife, Mittl. Reife, FHR, HR, without
{
    school2 01 2003 4/1 52/30 1/0 6/3 0/0 0/0 1/0
    school2 04 2007 6/2 15/5 11/4 0/0 0/0 0/0 0/0
    school2 09 2005 3/3 32/26 0/0 5/4 0/0 0/0 0/0
    school2 01 2002 2/1 36/19 0/0 4/2 0/0 0/0 0/0
    school2 16 2004 1/0 18/11 0/0 0/0 0/0 18/11 0/0
    school2 13 2005 2/1 19/9 0/0 0/0 19/9 0/0 0/0
    school2 04 2008 3/1 4/2 3/2 0/0 0/0 0/0 0/0
    school2 23 2001 0/0 28/25 0/0 0/0 0/0 0/0 1/1
    school2 01 2004 3/2 18/9 0/0 2/1 0/0 0/0 0/0
    school2 14 2006 2/1 13/6 0/0 0/0 13/6 0/0 0/0
} | table "$sd/SCHULE/${S}02.CSV" 18

# School table 3: graduates and leavers by occupation. Some texts are left
# empty on purpose, their codes known to SBBG3 (2621, 8111; 2621 is also in
# SBBG6), SBBG6 (7131, also in SBBG7) or SBBG7 (912) only.
# pairs: final certificate, leaving certificate, without
{
    school3 'Industriemechaniker/-in' 2511 42 14/1 2/0 0/0
    school3 '' 2621 42 9/0 1/0 0/0
    school3 'Kaufmann/-frau für Büromanagement' 7141 36 21/16 3/2 0/0
    school3 '' 7131 24 17/9 2/1 0/0
    school3 'Sozialassistent/-in' 8311 24 33/27 4/3 0/0
    school3 '' 912 36 15/6 1/0 0/0
    school3 'Landwirt/-in' 1111 36 11/2 1/0 0/0
    school3 'Koch/Köchin' 2931 36 8/3 3/1 1/0
    school3 '' 8111 36 12/12 0/0 0/0
} | table "$sd/SCHULE/${S}03.CSV" 9

# School table 4: religious instruction.
table "$sd/SCHULE/${S}04.CSV" 7 <<'EOF'
187;38;22;9;4;71;43
EOF

# Teacher identification list of the school (more teachers than the list
# of the program directory, not in number order).
oemfile "$sd/LEHRER.CSV" <<'EOF'
104;Baumgärtner;Sören
101;Schröder;Jürgen
102;Möller;Anke
103;Krüger;Dörte
109;Brüggemann;Holger
105;Weiß;Katrin
106;Hübner;Björn
110;Lüdtke;Änne
107;Jäger;Sabine
108;Özdemir;Ümit
EOF

# Teacher table 0.
table "$sd/LEHRER/${S}00.CSV" 1 <<EOF
$S
EOF

# Teacher table 1: teachers of the program's list except 106, and teacher
# 109, who is only in the school's list (the program appends a row for him).
{
    teacher1 101 1964 1 000 31 1 "MT WI - - -" 1 '' 1 25 25 '' '' '' "10=13 51=1" "" ''
    teacher1 102 1971 2 000 31 1 "DE EN - - -" 1 '' 1 25 25 '' '' '' "21=2" "09=4" ''
    teacher1 103 1968 2 000 31 1 "GE SO BI - -" 2 '' 2 25 18 '' '' '' "" "" ''
    teacher1 104 1979 1 000 31 1 "ET IN - - -" 1 '' 1 25 25 '' 1 '' "33=1 52=2" "" 1
    teacher1 105 1985 2 000 31 1 "WI DE SP - -" 1 1 2 25 25 '' '' '' "" "01=3" ''
    teacher1 107 1960 2 000 31 1 "RE DE - - -" 4 '' 1 25 15 '' '' 2 "81=1" "" ''
    teacher1 108 1988 1 135 32 2 "MT ET - - -" 1 1 2 25 25 '' '' '' "47=2" "" 1
    teacher1 109 1975 1 000 31 1 "SP WI - - -" 3 '' 2 25 6 '' '' '' "" "" ''
} | table "$sd/LEHRER/${S}01.CSV" 59

# Teacher table 2: weekly lesson hours by school type. Odd on purpose: the
# codes 0810 and 1310 are not in SSSA-140.SSD (listed in the message).
# pairs: full-time, part-time, extra work staff, extra work hourly-paid
{
    teacher2 0110 420 412 288/190 76/70 12/6 14/5
    teacher2 0120 214 210 150/96 38/35 6/2 8/0
    teacher2 0130 14 14 10/8 2/2 0/0 0/0
    teacher2 0210 66 64 48/30 10/10 2/0 4/1
    teacher2 0810 22 22 18/10 4/4 0/0 0/0
    teacher2 0520 130 128 96/80 26/24 2/2 0/0
    teacher2 0530 98 98 70/62 24/24 0/0 4/4
    teacher2 0710 34 34 28/12 6/4 0/0 0/0
    teacher2 0720 64 62 50/28 10/8 2/0 0/0
    teacher2 0910 104 102 84/50 16/12 2/2 0/0
    teacher2 1310 8 8 0/0 8/6 0/0 0/0
    teacher2 1030 152 150 110/96 34/30 4/4 0/0
    teacher2 1120 36 36 0/0 0/0 6/2 30/10
} | table "$sd/LEHRER/${S}02.CSV" 12

# Teacher table 3: teachers for religious instruction.
table "$sd/LEHRER/${S}03.CSV" 7 <<'EOF'
1;1;0;0;0;4;6
2;0;1;0;1;2;3
4;1;0;0;0;6;8
EOF

# --- Class BS1A01: Berufsschule, grade 1, agriculture, block teaching ---
kd=$sd/KLASSE
C=BS1A01
table "$kd/${C}00.CSV" 6 <<EOF
$S;02;$C;3;1;3
EOF
table "$kd/${C}01.CSV" 5 <<'EOF'
2006;6;2;0;0
2005;8;1;1;0
2007;3;1;0;0
2004;3;1;1;0
2003;2;0;0;0
EOF
# Odd on purpose: one empty line (counted as one unplaced record).
table "$kd/${C}02.CSV" 5 <<'EOF'
02;9;1;9;1
04;10;3;9;3
01;1;0;1;0
06;1;1;1;1

07;1;0;1;0
EOF
# The Ukrainian pupil's country text is left empty (code 136 is known).
table "$kd/${C}03.CSV" 6 <<'EOF'
Polen;110;1;0;1;0
;136;1;0;1;0
EOF
table "$kd/${C}04.CSV" 5 <<'EOF'
11;22;5;;
31;22;5;;
21;4;1;;
EOF
table "$kd/${C}10.CSV" 5 <<'EOF'
22;22;0;0;0
EOF
table "$kd/${C}05.CSV" 3 <<'EOF'
1;21;5
2;1;0
EOF
table "$kd/${C}06.CSV" 3 <<'EOF'
01;13;2
02;5;2
03;2;0
05;2;1
EOF
table "$kd/${C}07.CSV" 5 <<'EOF'
05;22;5;22;5
EOF
# Row numbers out of order; two training texts and one origin text left
# empty, their codes known to SBBG3, SBBG4 and SHKK.
table "$kd/${C}08.CSV" 7 <<'EOF'
3;Landwirt/-in;1111;Vorpommern-Rügen;073;7;1
1;Landwirt/-in;1111;Vorpommern-Greifswald;075;4;1
2;;1111;Landkreis Rostock;072;2;0
5;;11211;Vorpommern-Rügen;073;3;1
4;Tierwirt/-in - Schwerpunkt Rinderhaltung;11211;;075;2;1
7;Tierwirt/-in - Schwerpunkt Schweinehaltung;11212;Mecklenburgische Seenplatte;071;2;0
6;Pferdewirt/-in;1131;Ludwigslust-Parchim;076;2;1
EOF
# Trainees by occupation group (SBBG2) and prior schooling (SSVB0), plus the
# block 9999 of all trainees; some group names of group 112 left empty.
table "$kd/${C}09.CSV" 5 <<'EOF'
Berufe in der Landwirtschaft;111;1;1;0
Berufe in der Landwirtschaft;111;2;5;0
Berufe in der Landwirtschaft;111;3;6;2
Berufe in der Landwirtschaft;111;9;12;2
;112;2;4;1
;112;3;4;1
Berufe in der Tierwirtschaft;112;5;1;1
;112;9;9;3
Auszubildende insgesamt;9999;1;1;0
Auszubildende insgesamt;9999;2;9;1
Auszubildende insgesamt;9999;3;10;3
Auszubildende insgesamt;9999;5;1;1
Auszubildende insgesamt;9999;9;21;5
EOF

# --- Class BS2B01: Berufsschule, grade 2, office management, part-time ---
C=BS2B01
table "$kd/${C}00.CSV" 6 <<EOF
$S;01;$C;2;2;1
EOF
table "$kd/${C}01.CSV" 5 <<'EOF'
2004;7;5;0;0
2005;9;7;1;1
2003;4;3;0;0
2006;2;1;0;0
2001;2;1;1;0
EOF
table "$kd/${C}02.CSV" 5 <<'EOF'
04;14;11;1;1
02;3;2;0;0
05;4;3;0;0
06;3;1;0;0
EOF
table "$kd/${C}03.CSV" 6 <<'EOF'
Syrien;424;1;0;1;0
Türkei;135;1;1;1;1
EOF
table "$kd/${C}04.CSV" 5 <<'EOF'
11;24;17;;
31;24;17;;
21;6;5;;
22;2;2;;
EOF
table "$kd/${C}10.CSV" 5 <<'EOF'
24;24;0;0;0
EOF
table "$kd/${C}05.CSV" 3 <<'EOF'
1;23;17
2;1;0
EOF
table "$kd/${C}06.CSV" 3 </dev/null
table "$kd/${C}07.CSV" 5 <<'EOF'
06;24;17;0;0
EOF
# One training text and one origin text left empty (codes known); one
# origin given as text only (Nordwestmecklenburg, code completed from SHKK).
table "$kd/${C}08.CSV" 7 <<'EOF'
1;Kaufmann/-frau für Büromanagement;7141;Hansestadt Rostock;003;9;7
2;;7141;Landkreis Rostock;072;8;6
3;Kaufmann/-frau für Büromanagement;7141;;073;4;2
4;Kaufmann/-frau für Büromanagement;7141;Nordwestmecklenburg;;2;1
5;Kaufmann/-frau für Büromanagement;7141;Brandenburg;912;1;1
EOF
table "$kd/${C}09.CSV" 5 <<'EOF'
Auszubildende insgesamt;9999;2;3;2
Auszubildende insgesamt;9999;3;14;11
Auszubildende insgesamt;9999;4;4;3
Auszubildende insgesamt;9999;5;2;1
Auszubildende insgesamt;9999;9;23;17
Büro- und Sekretariatsberufe;714;2;3;2
;714;3;14;11
Büro- und Sekretariatsberufe;714;4;4;3
;714;5;2;1
Büro- und Sekretariatsberufe;714;9;23;17
EOF

# --- Class BF1C02: Berufsfachschule Sozialassistenz, grade 1, full-time ---
C=BF1C02
table "$kd/${C}00.CSV" 6 <<EOF
$S;09;$C;1;1;1
EOF
table "$kd/${C}01.CSV" 5 <<'EOF'
2008;11;9;1;1
2007;6;5;1;1
2006;2;1;1;0
2004;1;1;0;0
EOF
table "$kd/${C}02.CSV" 5 <<'EOF'
02;6;5;6;5
04;12;10;12;10
01;2;1;2;1
EOF
# One country text left empty (code 421 known), one country given as text
# only (Russische Föderation, code completed from SLAND).
table "$kd/${C}03.CSV" 6 <<'EOF'
Ukraine;136;1;1;0;0
;421;1;0;0;0
Russische Föderation;;1;1;0;0
EOF
table "$kd/${C}04.CSV" 5 <<'EOF'
11;20;16;;
31;20;16;;
21;5;5;;
EOF
table "$kd/${C}10.CSV" 5 <<'EOF'
20;20;0;0;0
EOF
table "$kd/${C}05.CSV" 3 <<'EOF'
5;20;16
EOF
table "$kd/${C}06.CSV" 3 </dev/null
table "$kd/${C}07.CSV" 5 <<'EOF'
11;20;16;0;0
EOF
table "$kd/${C}08.CSV" 7 <<'EOF'
1;Sozialassistent/-in;8311;Vorpommern-Rügen;073;11;9
2;Sozialassistent/-in;8311;;075;6;5
3;;8311;Hansestadt Rostock;003;2;1
4;Sozialassistent/-in;8311;Ausland;990;1;1
EOF
table "$kd/${C}09.CSV" 5 </dev/null

# --- Class FO1D01: Fachoberschule, grade 11 (first of two years) ---
# Tables 6, 8 and 9 are missing on purpose.
C=FO1D01
table "$kd/${C}00.CSV" 6 <<EOF
$S;14;$C;1;1;1
EOF
table "$kd/${C}01.CSV" 5 <<'EOF'
2008;12;6;1;0
2009;4;2;0;0
2007;2;1;0;0
EOF
table "$kd/${C}02.CSV" 5 <<'EOF'
04;18;9;18;9
EOF
table "$kd/${C}03.CSV" 6 <<'EOF'
Vietnam;431;1;0;0;0
EOF
table "$kd/${C}04.CSV" 5 <<'EOF'
11;18;9;;
12;7;5;;
31;18;9;;
23;10;4;;
EOF
table "$kd/${C}10.CSV" 5 <<'EOF'
18;11;7;0;0
EOF
table "$kd/${C}05.CSV" 3 <<'EOF'
5;18;9
EOF
table "$kd/${C}07.CSV" 5 <<'EOF'
11;18;9;0;0
EOF

# ---------------------------------------------------------------------------
# Dienststelle 13002: quick report and school report only
# ---------------------------------------------------------------------------

S=13002
sd=$db/$S

table "$sd/SCHNELL/${S}00.CSV" 3 <<EOF
$S;Staatliches Schulamt Neubrandenburg;Landkreis Mecklenburgische Seenplatte
EOF

types_13002() {
    "$1" 01 "4 4 3 1 -" "88 81 69 17 -" 97 6 2 3 196 6
    "$1" 04 "1 - - - -" "15 - - - -" 6 4 2 4 32 4
    "$1" 10 "1 1 1 - -" "20 18 15 - -" 46 2 2 0 90 2
    "$1" 19 "1 1 - - -" "17 14 - - -" 3 1 0 0 64 0
}
types_13002 quick1 | table "$sd/SCHNELL/${S}01.CSV" 18

table "$sd/SCHNELL/${S}02.CSV" 6 <<'EOF'
1;19;13;0;475;4
2;4;4;0;74;0
4;2;0;0;9;0
EOF

table "$sd/SCHULE/${S}00.CSV" 3 <<EOF
$S;Staatliches Schulamt Neubrandenburg;Landkreis Mecklenburgische Seenplatte
EOF
types_13002 school1 | table "$sd/SCHULE/${S}01.CSV" 16
{
    school2 01 2002 1/0 27/14 0/0 3/2 0/0 0/0 0/0
    school2 04 2007 4/2 10/4 8/3 0/0 0/0 0/0 0/0
    school2 19 1998 1/0 13/2 0/0 0/0 13/2 0/0 0/0
    school2 10 2003 0/0 14/13 0/0 0/0 0/0 0/0 0/0
} | table "$sd/SCHULE/${S}02.CSV" 18
{
    school3 'Elektroniker/-in für Energie- und Gebäudetechnik' 2621 42 11/0 1/0 0/0
    school3 'Fachkraft für Lagerlogistik' 5131 36 9/2 2/0 0/0
    school3 '' 2511 24 13/2 1/0 0/0
    school3 'Pflegefachmann/-frau' 8221 36 14/13 0/0 0/0
} | table "$sd/SCHULE/${S}03.CSV" 9
table "$sd/SCHULE/${S}04.CSV" 7 <<'EOF'
64;12;9;3;2;21;17
EOF

# ---------------------------------------------------------------------------
# Dienststelle 00000: empty (the program's default school number)
# ---------------------------------------------------------------------------

mkdir -p "$db/00000"
: >"$db/00000/.gitkeep"

# ---------------------------------------------------------------------------
# Final check: every text line of the output ends with CR LF.
# ---------------------------------------------------------------------------

while IFS= read -r -d '' f; do
    [[ -s $f ]] || continue
    if LC_ALL=C grep -q $'[^\r]$\|^$' "$f"; then
        die "$f: a line does not end with CR LF"
    fi
done < <(find "$prog" "$db" -type f ! -name .gitkeep ! -name ZREINST.DAT ! -name VORINEXMVBS.HLP -print0)

printf 'demo written to %s\n' "$here"
