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

// Changes the squads left by what the change of the cargo left since
// cargoBefore is worth in squads. Only that part of the squads is cargo: the
// seats of APCs and the squads riding on armour stay as they are.
inline void recountSquads(worksheet::Sheet& sheet, double cargoBefore)
{
    sheet.add(summary::squads, squadsFromCargo(sheet.number(summary::cargoPounds)) - squadsFromCargo(cargoBefore));
}

} // namespace sections
