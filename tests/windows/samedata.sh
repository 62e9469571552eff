# Sourced by the tests of this folder: a data folder in $1 made of the
# fixtures of tests/data ($2), the same for every run.
make_data_folder() {
  local folder=$1 fixtures=$2
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$fixtures/200507-summary.dat" "$folder/200507.dat"
  cp "$fixtures/200508-summary.dat" "$folder/200508.dat"
  cp "$fixtures/200503-golden.dat" "$folder/200503.dat"
  cp "$fixtures/200503-messy.dat" "$folder/200504.dat"
  cp "$fixtures/settings-summary.ini" "$folder/zanpel.ini"
  cp "$fixtures/definitions-sample.wk2" "$folder/zanpel.wk2"
}
