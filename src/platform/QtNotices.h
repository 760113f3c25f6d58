#pragma once
// Qt's own notices on standard error that tell the caller nothing.
//
// Without XDG_RUNTIME_DIR (a caller started outside a desktop login: a
// service, cron, "env -i") Qt says in English on every run that it takes a
// folder of its own in the temporary folder instead, which it then makes
// and uses as it should. A caller reads the program's standard error for
// the program's German reasons; that notice is no reason and is left out.
// So is Qt's notice that the folder XDG_RUNTIME_DIR names cannot be used
// (another owner's, as after "sudo", one others may read, no folder, one
// that cannot be made): Qt then takes the same folder of its own. That
// folder of Qt's own, when Qt cannot make or use it, is still told.
//
// A platform without a desktop (offscreen) says in English that it cannot
// open a document; the program then tells in German that the file was
// written and cannot be shown (the print engine's PDF), so Qt's line is
// left out too.

// Installs the filter before the application object is made; every other
// message goes on to the handler that was installed before.
void DropQtNotices();
