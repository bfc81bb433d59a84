// Closing the last hold on a file whose name its replacement has taken frees
// the old file's blocks there and then: on ext4 that takes longer than
// writing a small new file. The tool holds each replaced file until its
// rename is done and lets a thread of its own close it, so that the next file
// does not wait for it.
#ifndef CRV_FILE_RELEASE_H
#define CRV_FILE_RELEASE_H

namespace crvcli {

// Closes fd on the releasing thread, or at once when that thread is far
// behind, so that held descriptors stay few.
void ReleaseLater(int fd);

} // namespace crvcli

#endif
