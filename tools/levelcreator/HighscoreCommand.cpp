// levelcreator highscores OUT: a fresh high-score file of ten empty entries.
#include "Commands.h"
#include "LevelCreator.h"

int Highscores(const Arguments& paths) {
    return LevelCreator::SchrijfHigscore(LevelCreator::Highscores{}, paths[0]) ? 0 : 1;
}
