#ifndef CRV_EXAMPLE_COMPRESS_CHOSEN_FILE_H
#define CRV_EXAMPLE_COMPRESS_CHOSEN_FILE_H

namespace crvdemo {

// One whole job on a fresh instance: the settings dialogue, the compression
// of the file in place as the chosen data type, a message for any failure.
void CompressChosenFile(const char *fileName);

} // namespace crvdemo

#endif
