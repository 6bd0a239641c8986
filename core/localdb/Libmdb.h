#pragma once

// libmdb's header. Built with GLib, it includes glib inside its extern "C" block, which C++
// cannot compile, so glib comes first; built with its own stand-in for GLib (the Windows
// build), it needs nothing before it.
#if __has_include(<glib.h>)
#include <glib.h>
#endif
#include <mdbtools.h>
