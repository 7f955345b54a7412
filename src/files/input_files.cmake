# Input data file records (owned by the input files work).
