// The guess whether the machine has a graphics device, and the software
// presentation chosen for SDL when it has none.
#pragma once

// Asks SDL for software rendering where no render node exists, unless the player chose.
void ChooseSoftwarePresentation();
