# Tests of the input data file records.
