#pragma once
// The printer and page settings of the run: Print Setup changes them and every
// print and preview uses them.

class QPrinter;

// Made on first use; released when the application object goes.
QPrinter& SharedPrinter();
