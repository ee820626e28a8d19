// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CheckupTable.h"

namespace {

using enum MarkKind;

// Magenta stands out from every picture but those that hold red and blue.
const QRgb magenta = qRgb(255, 0, 255);

const CheckupStep steps[] = {
    {"black", "Fekete háttér",
        "Keressen világító pontokat: a fekete mezőben minden fénylő pont beragadt képpont.", Bright,
        magenta},
    {"white", "Fehér háttér",
        "Keressen sötét pontokat és foltokat: a fehér mezőben a fekete pont halott képpont.", Dark,
        magenta},
    {"red", "Piros háttér", "A mező legyen egyenletesen piros; egy más színű pont hibás alpixel.",
        Subpixel, qRgb(0, 255, 255)},
    {"green", "Zöld háttér", "A mező legyen egyenletesen zöld; egy más színű pont hibás alpixel.",
        Subpixel, magenta},
    {"blue", "Kék háttér", "A mező legyen egyenletesen kék; egy más színű pont hibás alpixel.",
        Subpixel, qRgb(255, 255, 0)},
    {"gray", "Szürke háttér",
        "A szürke legyen mindenütt egyforma: figyelje a foltokat, sávokat és a színes "
        "árnyalatokat.",
        Other, magenta},
    {"light-gray", "Világosszürke háttér",
        "Figyelje a foltokat és a sötétebb sarkokat vagy széleket.", Other, magenta},
    {"uniformity", "Megvilágítás egyenletessége",
        "A sávok fényessége egyenletesen változzon, és a kép minden része egyformán világos "
        "legyen.",
        Other, magenta},
    {"bleeding", "Háttérvilágítás kisugárzása",
        "Sötét szobában nézze a széleket és a sarkokat: a kiszűrődő fény világos foltként látszik.",
        Other, magenta},
    {"gray-columns", "Szürke oszlopok",
        "Minden oszlop különbözzön a szomszédaitól; az egybeolvadók elveszett árnyalatok.", Other,
        magenta},
    {"gray-gradient", "Szürke gradiens",
        "Az átmenet legyen sima: ne legyenek benne lépcsők, sávok vagy színes árnyalatok.", Other,
        magenta},
    {"dark-tones", "Sötét tónusok",
        "A legsötétebb mezők is különbözzenek a feketétől és egymástól.", Bright, magenta},
    {"light-tones", "Világos tónusok",
        "A legvilágosabb mezők is különbözzenek a fehértől és egymástól.", Dark, magenta},
    {"noise", "Képzaj", "A pontrács legyen éles és egyenletes, vibrálás és elmosódás nélkül.",
        Other, magenta},
    {"ghosting", "Utánhúzás",
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
