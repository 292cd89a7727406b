// What the cargo left over means in squads, for the rows that charge the
// cargo in pounds (weapons and combat supplies).
#pragma once

#include "tallies.h"
#include "worksheet/sheet.h"

#include <cmath>

namespace sections {

// The whole half squads that the pounds of cargo left carry, at 2500 lb a
// squad, rounded toward minus infinity: 4812 lb carry 1.5 squads and a cargo
// of -1 lb owes half a squad.
inline double squadsFromCargo(double pounds)
{
    return std::floor(pounds / 625 / 4 * 2) / 2;
}

// Rewrites the squads left from the cargo left.
inline void recountSquads(worksheet::Sheet& sheet)
{
    sheet.setNumber(summary::squads, squadsFromCargo(sheet.number(summary::cargoPounds)));
}

} // namespace sections
