#pragma once

// Installs the Qt implementations of every service the core reaches the desktop through.
void installQtSeams();
