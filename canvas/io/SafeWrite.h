#pragma once

#include <string>

// Writes bytes to a file without harming what is at its path:
// - a plain file is replaced atomically: a hidden temporary file beside it
//   (".name.tavik-PID-XXXXXX", with the writer's process id and the name cut
//   short when needed to stay a valid name), written and synced, then renamed
//   over it, with the old file's owner, group and mode; temporary files of the
//   same target whose writer is gone are removed on the way;
// - a symbolic link is followed (also a dangling one): its target is written the
//   same way in the target's folder, and the link stays a link;
// - a file with other hard links, whose owner or group the saver cannot give
//   to a new file, or in a folder the saver may not write, is written through
//   its existing inode, after a complete copy with the file's mode has been
//   written and synced beside it (in the temporary folder when the file's own
//   is closed) and the room for the new content reserved; without that room the
//   file stays as it was; the copy is removed when done and kept (as
//   ".name.tavik-copy-XXXXXX"), and named in the message, when the write fails;
// - a read-only file, and anything that is not a regular file (a folder, FIFO,
//   device node, socket), are refused and left as they are.
// On failure, error holds a message for the user (Japanese) naming the file.
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& error);

// The fixed part of each refusal, for callers that tell the cases apart.
extern const char* const kSaveNotRegularMessage;
extern const char* const kSaveReadOnlyMessage;
extern const char* const kSavePartialMessage;
