#pragma once
// Resource identifiers and the sizes of the pictures, shared by rollkeep.rc
// and the windows that load them. Preprocessor definitions only: the resource
// compiler reads this file too.

// The program's icon: 32 x 32 pixels, 256 colours. The lowest icon id, so
// Explorer shows it for the program file.
#define IDI_ROLLKEEP 101

// The splash window's picture: 403 x 177 pixels, 256 colours.
#define IDB_SPLASH 102
#define ROLLKEEP_SPLASH_WIDTH 403
#define ROLLKEEP_SPLASH_HEIGHT 177

#define ROLLKEEP_ICON_SIZE 32

// The application manifest: resource type 24, id 1 (the process manifest).
#define ROLLKEEP_MANIFEST_ID 1
