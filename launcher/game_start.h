// Starting the game after START.
#pragma once

void StartGame();
