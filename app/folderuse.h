#pragma once

class FolderLock;

// Whether the program goes on in its folder, and whether it saves its index
// files there.
enum class FolderUse { Save, WithoutSaving, Stop };

// With another program already working in the folder, two programs would
// write the same index files and one's edits would be lost in silence: the
// user is told and chooses to stop, or to go on without saving.
FolderUse askFolderUse(const FolderLock& lock);
