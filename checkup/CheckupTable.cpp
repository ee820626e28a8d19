// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/CheckupTable.h"

namespace {

using enum MarkKind;

// A ring's colour; where the picture under it is too close, the ring takes
// the opposite colour there.
const QRgb magenta = qRgb(255, 0, 255);

const CheckupStep steps[] = {
    {"black",
        "Keressen világító pontokat: a fekete mezőben minden fénylő pont beragadt képpont.", Bright,
        magenta},
    {"white",
        "Keressen sötét pontokat és foltokat: a fehér mezőben a fekete pont halott képpont.", Dark,
        magenta},
    {"pure-red",
        "Az egész képernyő tiszta piros. Egy fekete pont halott piros alpixel, egy sárga vagy "
        "bíbor pont beragadt zöld vagy kék alpixel.",
        Subpixel, qRgb(0, 255, 255)},
    {"pure-green",
        "Az egész képernyő tiszta zöld. Egy fekete pont halott zöld alpixel, egy sárga vagy "
        "türkiz pont beragadt piros vagy kék alpixel.",
        Subpixel, magenta},
    {"pure-blue",
        "Az egész képernyő tiszta kék. Egy fekete pont halott kék alpixel, egy bíbor vagy "
        "türkiz pont beragadt piros vagy zöld alpixel.",
        Subpixel, qRgb(255, 255, 0)},
    {"gray",
        "A szürke legyen mindenütt egyforma: figyelje a foltokat, sávokat és a színes "
        "árnyalatokat.",
        Other, magenta},
    {"light-gray",
        "A világosszürke mező legyen mindenütt egyforma: figyelje a foltokat és a sötétebb "
        "sarkokat vagy széleket.",
        Other, magenta},
    {"black-level",
        "Húsz négyzet a feketén, 1-től 20-ig egyre világosabbak. Jegyezze fel, hányadiktól "
        "látszanak: egy jó kijelzőn szinte mind, az elsők eltűnése elnyelt sötét árnyalatokat "
        "jelez. Ha az 1–16. mind eltűnik, a videókártya talán korlátozott tartományú RGB-t "
        "(16–235) küld: ezt a beállítást nézze meg, mielőtt a kijelzőt hibáztatja.",
        Other, magenta},
    {"white-saturation",
        "Húsz négyzet a fehéren, 235-től 254-ig egyre világosabbak. Jegyezze fel, meddig "
        "látszanak: egy jó kijelzőn szinte mind, az utolsók eltűnése azt jelzi, hogy a "
        "legvilágosabb árnyalatok fehérbe olvadnak. Ha a 235–254. mind eltűnik, a videókártya "
        "talán korlátozott tartományú RGB-t (16–235) küld: ezt a beállítást nézze meg, mielőtt "
        "a kijelzőt hibáztatja.",
        Other, magenta},
    {"gamma",
        "Szürke, piros, zöld és kék csíkos sáv, mindegyikben hét négyzet. Nézze messziről, "
        "hunyorítva: soronként jegyezze fel, melyik négyzet olvad bele a csíkokba, az alatta "
        "álló szám a kijelző gammája abban a színben (a szokásos érték 2,2).",
        Other, magenta},
    {"sharpness",
        "Négy negyed egypixeles vonalakkal és sakktáblákkal. A kijelző saját felbontásán "
        "mindegyik egyenletes szürke; sávok, hullámok vagy elmosódás azt jelzik, hogy a kép át "
        "van méretezve, analóg bemeneten pedig az órajelet és a fázist kell beállítani. Jegyezze "
        "fel, melyik negyedben mit lát.",
        Other, magenta},
    {"uniformity",
        "Fentről lefelé sötétből világosba váltó kép egy fehér rács alatt. Balról jobbra minden "
        "magasságban legyen egyformán világos: a sötétebb cellák, foltok és sarkok egyenetlen "
        "háttérvilágítást jeleznek.",
        Other, magenta},
    {"bleeding",
        "Sötét szobában nézze a széleket és a sarkokat: a vékony keret és az ívek a kép részei, a "
        "kiszűrődő fény körülöttük világos, felhős foltként látszik.",
        Other, magenta},
    {"gray-columns",
        "Minden oszlop különbözzön a szomszédaitól; az egybeolvadók elveszett árnyalatok.", Other,
        magenta},
    {"gray-gradient",
        "Az átmenet legyen sima: ne legyenek benne lépcsők, sávok vagy színes árnyalatok.", Other,
        magenta},
    {"dark-tones",
        "Tizenhat színmező: fent közepes, lent egészen sötét színek, köztük két fekete. Minden "
        "mező legyen egyenletes és váljon el "
        "a szomszédaitól, a legsötétebbek se olvadjanak a feketébe; egy világító pont beragadt "
        "képpont.",
        Bright, magenta},
    {"light-tones",
        "Tizenhat színmező: fent telített színek, fehér és fekete, lent félerős színek és "
        "szürkék. Minden mező legyen tiszta színű és egyenletes, foltok és elszíneződés nélkül; "
        "egy sötét pont halott képpont.",
        Dark, magenta},
    {"noise", "A pontrács legyen éles és egyenletes, vibrálás és elmosódás nélkül.",
        Other, magenta},
    {"ghosting",
        "Kövesse szemmel a mozgó négyzetet: minél rövidebb a mögötte húzódó csík, annál jobb. "
        "A végén az eredmény jön magától.",
        Other, magenta},
};

// In the order of MarkKind.
const struct {
    const char* name;
    const char* title;
} kindNames[] = {
    {"bright", "világító képpont"},
    {"dark", "sötét képpont"},
    {"subpixel", "alpixelhiba"},
    {"other", "egyéb"},
};

} // namespace

const char* const CheckupKeys = "Szóköz, →: következő    ←: előző    F1: útmutató    Esc: vége\n"
                                "Bal kattintás: hiba jelölése    jobb kattintás: jelölés törlése";

std::span<const CheckupStep> checkupTable()
{
    return steps;
}

const char* markKindName(MarkKind kind)
{
    return kindNames[static_cast<int>(kind)].name;
}

const char* markKindTitle(MarkKind kind)
{
    return kindNames[static_cast<int>(kind)].title;
}
