// "setup.dat": the player's four choices, kept from one run to the next and read by the game.
#pragma once

void LoadSettings();
void SaveSettings();
