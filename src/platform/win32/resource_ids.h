#pragma once

// Identifiers shared by the resource script and the code that loads the resources.
#define IDI_TIDEWELL 1
